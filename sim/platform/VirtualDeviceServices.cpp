// HID, the driver extension and device enumeration of the virtual device.
#include "platform/NullServices.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<HidBackend> CreateVirtualHidBackend(const VirtualContext&) {
  return std::make_unique<NullHidBackend>();
}

std::unique_ptr<DriverExtension> CreateVirtualDriverExtension(const VirtualContext&) {
  return std::make_unique<NullDriverExtension>();
}

std::unique_ptr<DeviceEnumerator> CreateVirtualDeviceEnumerator(const VirtualContext&) {
  return std::make_unique<NullDeviceEnumerator>();
}

}  // namespace audio77::sim
