#include "device/DeviceSession.h"

#include "device/AudioCommand.h"
#include "device/DeviceIdMgr.h"
#include "device/DeviceSearch.h"
#include "device/VidPid.h"
#include "platform/DebugFormat.h"

namespace audio77 {
namespace {

constexpr char16_t kIdSection[] = u"USB_VID_PID";
constexpr std::uint32_t kReselectPauseMs = 10;

}  // namespace

DeviceSession::DeviceSession(Platform& platform, DeviceLibrary& library)
    : platform_(platform), library_(library), hid_(platform.hid), extension_(platform.extension, extension_path_) {}

void DeviceSession::SetIds(std::uint16_t vendor_id, std::uint16_t product_id) {
  vendor_id_ = vendor_id;
  product_id_ = product_id;
}

void DeviceSession::SetActive(bool active) {
  active_ = active;
  register_sync_ = active;
}

bool DeviceSession::CountActivation() { return ++activation_count_ == 1; }

bool DeviceSession::Search(const std::string& config_path, SearchKind kind) {
  CDeviceIdMgr ids;
  ids.LoadFromConfigFile(kIdSection, config_path);
  std::string found;
  int result = FindPresentListedDevice(platform_.devices, kAudioDeviceClassId, kTemplateHardwareId, ids, &found);
  if (kind == SearchKind::kStartup && result != 1) {
    result = FindPresentListedDevice(platform_.devices, kAudioDeviceClassId, kTemplateHardwareId, ids, &found);
  }
  if (result == 0 && kind != SearchKind::kStartup) return false;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  ParseVidPid(found, vendor_id, product_id);
  SetIds(vendor_id, product_id);
  if (result != 0) extension_path_.Select(vendor_id_, product_id_);
  SelectDevice(kind);
  return result != 0;
}

int DeviceSession::SelectDevice(SearchKind kind) {
  int result = library_.SetActive_Device(vendor_id_, product_id_);
  if (result == 0) return 0;
  DebugPrintf(platform_.debug, "***** fnDLLQK_SetActive_Device, ret = %d *****", result);
  if (kind == SearchKind::kStartup) {
    platform_.clock.Sleep(kReselectPauseMs);
    result = library_.SetActive_Device(vendor_id_, product_id_);
  } else if (kind == SearchKind::kTimer) {
    result = library_.SetActive_Device(vendor_id_, product_id_);
  }
  return result;
}

std::unique_ptr<HidHandle> DeviceSession::OpenHid() { return hid_.Open(vendor_id_, product_id_); }

bool DeviceSession::HidPresent() { return OpenHid() != nullptr; }

bool DeviceSession::ProbeAudioCommand(int attempts) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    AudioCommand command(AudioCommand::kNoiseCancellationGroup, AudioCommand::kSwitchSub);
    if (library_.SendAudioCommand(command) == 0) return true;
  }
  return false;
}

void DeviceSession::QueryExtensionStatus() {
  std::uint32_t status = 0;
  // A driver without the extension simply has no status to give.
  extension_.StatusQuery(status);
}

void DeviceSession::QueryExtension() {
  std::uint32_t value = 0;
  // As above: nothing depends on the answer.
  extension_.Query(0, value);
}

bool DeviceSession::ExtensionPresent() { return extension_.PresenceTest(vendor_id_, product_id_) == 0; }

}  // namespace audio77
