#pragma once
// What a feature may know of the device the window controls, read-only:
// which device it is, whether it is active and whether chip-register writes
// are allowed. Only the device lifecycle changes these.

#include <cstdint>

namespace audio77 {

class DeviceStatus {
 public:
  virtual ~DeviceStatus() = default;
  virtual std::uint16_t VendorId() const = 0;
  virtual std::uint16_t ProductId() const = 0;
  virtual bool Active() const = 0;
  // Chip-register writes are allowed (they follow the device's activation
  // and are switched off while a profile is applied without a device).
  virtual bool RegisterSync() const = 0;
};

}  // namespace audio77
