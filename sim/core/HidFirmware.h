#pragma once
// The device firmware behind the vendor HID interface: sessions opened on
// the interface (each ends with the device's plug generation), the register
// and GPIO commands of output reports and the answers of input reports.
// Every call runs under the device record's lock and traces its "hid" line.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/core/DeviceRecord.h"

namespace audio77::sim {

inline constexpr char kVirtualHidPath[] = "virtual-hidraw0";

class HidFirmware {
 public:
  static std::vector<std::string> Interfaces(const SharedDevice& shared);
  // A session number, or none when the path is not the device's or it is absent.
  std::optional<std::uint64_t> Open(DeviceRecord::Held& held, const std::string& path);
  std::optional<DeviceIdentity> Attributes(DeviceRecord::Held& held, std::uint64_t session) const;
  bool Output(DeviceRecord::Held& held, std::uint64_t session, std::span<const std::uint8_t> report);
  bool Input(DeviceRecord::Held& held, std::uint64_t session, std::span<std::uint8_t> report);
  // Needs only the record's guard.
  void Close(TraceLog& trace, std::uint64_t session);
  // Every session ends (another state folder).
  void Forget() { sessions_.clear(); }

  // The input report of a GPIO read: the lines' levels.
  static std::array<std::uint8_t, 5> GpioReport(std::uint16_t lines);
  // What one output report does to the state.
  static void ApplyCommand(DeviceState& state, std::span<const std::uint8_t> report);

 private:
  bool Valid(const SharedDevice& shared, std::uint64_t session) const;

  std::uint64_t next_session_ = 1;
  std::map<std::uint64_t, std::uint64_t> sessions_;  // session -> plug generation
};

// Takes one from a fault's count: true when the fault strikes.
bool TakeFaultCount(int& count);

}  // namespace audio77::sim
