#pragma once
// Present devices of the virtual platform: the virtual device's interfaces
// while it is plugged in.

#include "platform/DeviceEnumerator.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::sim {

class VirtualDeviceEnumerator final : public DeviceEnumerator {
 public:
  explicit VirtualDeviceEnumerator(VirtualDevice& device) : device_(device) {}
  std::optional<std::vector<PresentDevice>> ListPresentDevices() override;

 private:
  VirtualDevice& device_;
};

}  // namespace audio77::sim
