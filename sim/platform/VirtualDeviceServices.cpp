// HID, the driver extension, device enumeration and notifications of the virtual device.
#include "sim/platform/VirtualDeviceEnumerator.h"
#include "sim/platform/VirtualDeviceNotifier.h"
#include "sim/platform/VirtualDriverExtension.h"
#include "sim/platform/VirtualHidBackend.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {
namespace {

VirtualDevice& DeviceOf(const VirtualContext& context) {
  auto& device = VirtualDevice::Instance();
  device.UseStateFolder(context.state_folder);
  return device;
}

}  // namespace

std::unique_ptr<HidBackend> CreateVirtualHidBackend(const VirtualContext& context) {
  return std::make_unique<VirtualHidBackend>(DeviceOf(context));
}

std::unique_ptr<DriverExtension> CreateVirtualDriverExtension(const VirtualContext& context) {
  return std::make_unique<VirtualDriverExtension>(DeviceOf(context));
}

std::unique_ptr<DeviceEnumerator> CreateVirtualDeviceEnumerator(const VirtualContext& context) {
  return std::make_unique<VirtualDeviceEnumerator>(DeviceOf(context));
}

}  // namespace audio77::sim

namespace audio77::sim {

std::unique_ptr<DeviceNotifier> CreateVirtualDeviceNotifier(const VirtualContext& context) {
  return std::make_unique<VirtualDeviceNotifier>(DeviceOf(context));
}

}  // namespace audio77::sim
