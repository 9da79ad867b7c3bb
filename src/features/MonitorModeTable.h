#pragma once
// What switching the microphone monitor does, by the configured monitor mode:
// the record-test loop (mode 2), or chip registers written through the device
// library and the endpoint's listen route (modes 1, 3 and any other).

#include <cstdint>
#include <optional>
#include <vector>

namespace audio77 {

struct MonitorRegisterWrite {
  std::uint16_t address;
  std::uint8_t value;
  bool operator==(const MonitorRegisterWrite&) const = default;
};

struct MonitorPlan {
  // Mode 2: the record test starts (true) or stops (false); nothing else happens.
  std::optional<bool> record_test;
  // Register 0x200 is read (value unused) before the writes, when there are any.
  std::vector<MonitorRegisterWrite> writes;
  // The endpoint's listen route on or off, or left alone.
  std::optional<bool> listen;
  bool operator==(const MonitorPlan&) const = default;
};

class MonitorModeTable {
 public:
  static constexpr std::uint16_t kMonitorRegister = 0x200;
  static constexpr std::uint16_t kMonitorPathRegister = 0x230;

  static MonitorPlan Plan(int monitor_mode, bool on);
};

}  // namespace audio77
