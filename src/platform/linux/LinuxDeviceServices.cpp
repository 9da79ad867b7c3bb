// HID, the driver extension, device enumeration and notifications on Linux.
#include "platform/linux/HidrawBackend.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/SoundCardExtension.h"
#include "platform/linux/SysfsDeviceEnumerator.h"
#include "platform/linux/UdevDeviceNotifier.h"

namespace audio77 {

std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxContext&) {
  return std::make_unique<HidrawBackend>(HidrawDeviceIo::System(), "/sys/class/hidraw", "/dev");
}

// There is no extension device on Linux: the kernel's USB audio driver
// having bound a sound card to the device stands in for its presence.
std::unique_ptr<DriverExtension> CreateLinuxDriverExtension(const LinuxContext&) {
  return std::make_unique<SoundCardExtension>("/sys");
}

std::unique_ptr<DeviceEnumerator> CreateLinuxDeviceEnumerator(const LinuxContext&) {
  return std::make_unique<SysfsDeviceEnumerator>("/sys/bus/usb/devices");
}

std::unique_ptr<DeviceNotifier> CreateLinuxDeviceNotifier(const LinuxContext&) {
  return std::make_unique<UdevDeviceNotifier>();
}

}  // namespace audio77
