#include "features/MicMonitor.h"

#include <functional>

namespace audio77 {
namespace {

bool OnceMore(const std::function<std::int32_t()>& call) {
  return call() == DLLQK_DONE || call() == DLLQK_DONE;
}

}  // namespace

MicMonitor::MicMonitor(DeviceLibrary& library, MicEndpoint& endpoint, RecordTest& record_test)
    : library_(library), endpoint_(endpoint), record_test_(record_test) {}

FeatureResult MicMonitor::Set(int monitor_mode, int value, std::uint16_t vendor_id, std::uint16_t product_id) {
  const MonitorPlan plan = MonitorModeTable::Plan(monitor_mode, value != 0);
  if (plan.record_test) {
    if (*plan.record_test) {
      record_test_.Start();
    } else {
      record_test_.Stop();
    }
    return FeatureResult::Done();
  }
  int failed_step = 0;
  if (!plan.writes.empty()) {
    std::uint8_t unused = 0;
    if (!OnceMore([&] { return library_.Read_Register_ById(MonitorModeTable::kMonitorRegister, unused, 0); })) {
      failed_step = 1;
    }
    int step = 2;
    for (const auto& write : plan.writes) {
      if (!OnceMore([&] { return library_.Write_Register_ById(write.address, write.value, 0); }) &&
          failed_step == 0) {
        failed_step = step;
      }
      ++step;
    }
  }
  if (plan.listen) endpoint_.SetListen(*plan.listen ? 1 : 0, vendor_id, product_id);
  return FeatureResult::FromStep(failed_step);
}

}  // namespace audio77
