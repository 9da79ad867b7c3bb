// HID, the driver extension and device enumeration on Linux.
#include "platform/NullServices.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {

std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxContext&) {
  return std::make_unique<NullHidBackend>();
}

std::unique_ptr<DriverExtension> CreateLinuxDriverExtension(const LinuxContext&) {
  return std::make_unique<NullDriverExtension>();
}

std::unique_ptr<DeviceEnumerator> CreateLinuxDeviceEnumerator(const LinuxContext&) {
  return std::make_unique<NullDeviceEnumerator>();
}

}  // namespace audio77
