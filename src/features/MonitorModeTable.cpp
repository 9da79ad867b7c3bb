#include "features/MonitorModeTable.h"

namespace audio77 {
namespace {

constexpr std::uint8_t kMonitorEnable = 0x04;
constexpr std::uint8_t kPathToOutput = 0x20;
constexpr std::uint8_t kPathOff = 0x00;

}  // namespace

MonitorPlan MonitorModeTable::Plan(int monitor_mode, bool on) {
  if (monitor_mode == 2) return MonitorPlan{on, {}, std::nullopt};
  if (on) {
    return MonitorPlan{std::nullopt,
                       {{kMonitorRegister, kMonitorEnable}, {kMonitorPathRegister, kPathToOutput}},
                       true};
  }
  if (monitor_mode == 1) return MonitorPlan{std::nullopt, {}, false};
  MonitorPlan plan{std::nullopt, {{kMonitorRegister, kMonitorEnable}, {kMonitorPathRegister, kPathOff}}, std::nullopt};
  if (monitor_mode == 3) plan.listen = false;
  return plan;
}

}  // namespace audio77
