#include "features/EncRegistryState.h"

#include "features/EncParameters.h"
#include "features/VoiceEffectTable.h"
#include "platform/DebugFormat.h"
#include "settings/RegistryDword.h"

namespace audio77 {

EncRegistryState::EncRegistryState(Registry& registry) : registry_(registry) {}

std::string EncRegistryState::DeviceValueName(std::uint16_t vendor_id, std::uint16_t product_id) {
  return FormatDebug("VID_%.4X&PID_%.4X", vendor_id, product_id);
}

std::optional<int> EncRegistryState::EncLevel(std::uint16_t vendor_id, std::uint16_t product_id) {
  std::uint32_t stored = 0;
  if (RegGetDword(registry_, kEncLevelKey, DeviceValueName(vendor_id, product_id), stored) != kRegRead) {
    return std::nullopt;
  }
  // The level is a signed number wherever it travels: 0xFFFFFFFF is -1, not 4 billion.
  return EncParameters::ClampLevel(static_cast<std::int32_t>(stored));
}

void EncRegistryState::SaveEncLevel(std::uint16_t vendor_id, std::uint16_t product_id, int level) {
  RegSetDword(registry_, kEncLevelKey, DeviceValueName(vendor_id, product_id),
              static_cast<std::uint32_t>(EncParameters::ClampLevel(level)));
}

EncRegistryState::VoiceMagic EncRegistryState::LoadVoiceMagic() {
  std::uint32_t enable = 0;
  std::uint32_t level = 0;
  RegGetDword(registry_, kSoftwareKey, kVoiceEnableName, enable);
  RegGetDword(registry_, kSoftwareKey, kVoiceLevelName, level);
  // The device takes only 0 and 1 as a switch.
  return {enable != 0 ? 1 : 0, VoiceEffectTable::EffectFromRegistryLevel(level)};
}

void EncRegistryState::SaveVoiceMagicOn(int on) {
  RegSetDword(registry_, kSoftwareKey, kVoiceEnableName, on != 0 ? 1 : 0);
}

void EncRegistryState::SaveVoiceMagicEffect(int effect) {
  RegSetDword(registry_, kSoftwareKey, kVoiceLevelName, VoiceEffectTable::RegistryLevel(effect));
}

}  // namespace audio77
