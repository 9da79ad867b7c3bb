#pragma once
// Present USB devices from sysfs, with hardware IDs built the way the
// original platform spells them: every interface gives
// "USB\VID_xxxx&PID_xxxx&REV_xxxx&MI_xx", a device without interfaces
// "USB\VID_xxxx&PID_xxxx&REV_xxxx".

#include <string>

#include "platform/DeviceEnumerator.h"

namespace audio77 {

class SysfsDeviceEnumerator final : public DeviceEnumerator {
 public:
  // devices_dir is normally /sys/bus/usb/devices.
  explicit SysfsDeviceEnumerator(std::string devices_dir) : devices_dir_(std::move(devices_dir)) {}

  // Devices in bus order, each device's interfaces by interface number.
  std::optional<std::vector<PresentDevice>> ListPresentDevices() override;

 private:
  std::string devices_dir_;
};

}  // namespace audio77
