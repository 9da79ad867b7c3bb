#pragma once
// Device notifications of the virtual platform: the virtual device's audio
// and HID interfaces arriving and going away, whether this process or
// another one using the state folder plugs or unplugs it.

#include "platform/DeviceNotifier.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::sim {

class VirtualDeviceNotifier final : public DeviceNotifier {
 public:
  explicit VirtualDeviceNotifier(VirtualDevice& device) : device_(device) {}
  std::unique_ptr<audio77::DeviceNotification> Subscribe(
      UiPoster post_to_ui, std::function<void(const DeviceInterfaceEvent&)> handler) override;

 private:
  VirtualDevice& device_;
};

}  // namespace audio77::sim
