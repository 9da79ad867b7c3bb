#include "features/VoiceMagicControl.h"

#include "features/VoiceEffectTable.h"

namespace audio77 {
namespace {

constexpr char kSwitchImage[] = "VMFunctionImage";
constexpr char kSwitchLabel[] = "VMFunctionLabel";
constexpr char kSwitchUp[] = "VMFunctionUpImage";
constexpr char kSwitchDown[] = "VMFunctionDownImage";

}  // namespace

VoiceMagicControl::VoiceMagicControl(Parts parts)
    : parts_(parts), commands_(parts.library), registry_(parts.registry) {}

void VoiceMagicControl::LoadVoiceMagic(bool enc_supported) {
  if (!parts_.device.Active() || !enc_supported) return;
  const EncRegistryState::VoiceMagic stored = registry_.LoadVoiceMagic();
  effect_ = stored.effect;
  on_ = stored.on;
  SetVoiceMagicOn(on_, true);
  SetVoiceEffect(effect_);
}

void VoiceMagicControl::SetVoiceMagicOn(int on, bool send) {
  registry_.SaveVoiceMagicOn(on);
  if (!send) return;
  commands_.SetVoiceMagicOn(on);
  SetVoiceEffect(effect_);
}

std::int32_t VoiceMagicControl::SetVoiceEffect(int effect) {
  registry_.SaveVoiceMagicEffect(effect);
  return commands_.SetVoiceEffect(on_, effect);
}

void VoiceMagicControl::ShowVoiceMagic() {
  parts_.display.ShowPicture(kSwitchImage, on_ == 1 ? kSwitchDown : kSwitchUp);
  parts_.display.ShowLabelDown(kSwitchLabel, on_ == 1);
  for (int n = 0; n < VoiceEffectTable::kCount; ++n) {
    const std::string stem = VoiceEffectTable::Stem(n);
    const bool chosen = n == effect_;
    parts_.display.ShowPicture(stem + "Image", stem + (chosen ? "DownImage" : "UpImage"));
    parts_.display.ShowLabelDown(stem + "Label", chosen);
  }
}

bool VoiceMagicControl::Usable(bool enc_supported) {
  if (!parts_.device.Active()) return false;
  if (!enc_supported) {
    parts_.display.ShowEncWarning();
    return false;
  }
  return true;
}

void VoiceMagicControl::SwitchClicked(bool enc_supported) {
  if (!Usable(enc_supported)) return;
  on_ = on_ == 0 ? 1 : 0;
  ShowVoiceMagic();
  SetVoiceMagicOn(on_, true);
}

void VoiceMagicControl::EffectClicked(int effect, bool enc_supported) {
  if (!Usable(enc_supported)) return;
  effect_ = VoiceEffectTable::Normalize(effect);
  ShowVoiceMagic();
  SetVoiceEffect(effect_);
}

void VoiceMagicControl::OnRemoved() {
  on_ = 0;
  effect_ = 0;
  SetVoiceMagicOn(0, false);
  ShowVoiceMagic();
}

void VoiceMagicControl::OnShutdown(bool device_present) {
  if (!device_present) return;
  AudioCommand off = AudioCommand::Switch(AudioCommand::kVoiceEffectGroup, false);
  parts_.library.SendAudioCommand(off);
}

void VoiceMagicControl::Save(ProfileWriter& profile) const {
  profile.WriteInt("VoiceMagic", "VoiceMagicEN", on_);
  profile.WriteInt("VoiceMagic", "VoiceMagicMode", effect_);
}

}  // namespace audio77
