#include "device/DeviceSearch.h"

namespace audio77 {

// Every present device of every class is listed, so the class only names where
// the walk starts and is not needed to filter.
int FindPresentListedDevice(DeviceEnumerator& devices, std::string_view /*class_id*/,
                            std::string_view template_id, const CDeviceIdMgr& manager,
                            std::string* found) {
  if (found) found->clear();
  const auto present = devices.ListPresentDevices();
  if (!present) return 1;
  for (const auto& device : *present) {
    if (device.hardware_ids.empty()) continue;
    const std::string& id = device.hardware_ids.front();
    if (id.size() != template_id.size()) continue;
    if (!manager.IsListedHardwareId(id)) continue;
    if (found) *found = id;
    return 1;
  }
  return 0;
}

}  // namespace audio77
