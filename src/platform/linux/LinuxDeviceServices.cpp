// HID, the driver extension and device enumeration on Linux.
#include "platform/NullServices.h"
#include "platform/linux/HidrawBackend.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/SysfsDeviceEnumerator.h"

namespace audio77 {

std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxContext&) {
  return std::make_unique<HidrawBackend>(HidrawDeviceIo::System(), "/sys/class/hidraw", "/dev");
}

// The audio driver's extension device exists only on the original platform:
// every path fails to open, so the device never counts as having it.
std::unique_ptr<DriverExtension> CreateLinuxDriverExtension(const LinuxContext&) {
  return std::make_unique<NullDriverExtension>();
}

std::unique_ptr<DeviceEnumerator> CreateLinuxDeviceEnumerator(const LinuxContext&) {
  return std::make_unique<SysfsDeviceEnumerator>("/sys/bus/usb/devices");
}

}  // namespace audio77
