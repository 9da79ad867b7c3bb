#include "ChosenDevice.h"

#include "device/DeviceIdMgr.h"
#include "device/DeviceSearch.h"
#include "device/VidPid.h"

namespace audio77::ctl {

ChosenDevice ChosenDevice::Search(Platform& platform, const std::string& config_file) {
  CDeviceIdMgr manager;
  manager.LoadFromConfigFile(u"USB_VID_PID", config_file);
  ChosenDevice chosen;
  FindPresentListedDevice(platform.devices, kAudioDeviceClassId, kTemplateHardwareId, manager, &chosen.hardware_id);
  ParseVidPid(chosen.hardware_id, chosen.vendor_id, chosen.product_id);
  return chosen;
}

std::string ChosenDevice::DefaultConfig(Platform& platform) {
  return platform.folders.ProgramFolder() + "AudioConfig.cfg";
}

}  // namespace audio77::ctl
