#include "sim/platform/VirtualDeviceEnumerator.h"

namespace audio77::sim {

std::optional<std::vector<PresentDevice>> VirtualDeviceEnumerator::ListPresentDevices() {
  std::vector<PresentDevice> devices;
  for (auto& ids : device_.PresentHardwareIds()) devices.push_back({std::move(ids)});
  return devices;
}

}  // namespace audio77::sim
