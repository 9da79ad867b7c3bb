#pragma once
// The audio driver's extension device of the virtual device: its path, and
// the four requests it answers (firmware query, driver status, effect select
// and apply). Every call runs under the device record's lock and traces its
// "ext" line.

#include <cstdint>
#include <span>
#include <string>

#include "sim/core/DeviceRecord.h"

namespace audio77::sim {

class ExtensionFirmware {
 public:
  static std::string Path(std::uint16_t vendor_id, std::uint16_t product_id);
  static bool Open(DeviceRecord::Held& held, const std::string& path);
  static bool Control(DeviceRecord::Held& held, std::uint32_t code, std::span<const std::uint8_t> in,
                      std::span<std::uint8_t> out, std::uint32_t& returned);

 private:
  static bool Request(DeviceRecord::Held& held, std::uint32_t code, std::span<const std::uint8_t> in,
                      std::span<std::uint8_t> out, std::uint32_t& returned);
};

}  // namespace audio77::sim
