#include "features/VoiceMagic.h"

#include "features/VoiceEffectTable.h"

namespace audio77 {
namespace {

constexpr char kSwitchImage[] = "VMFunctionImage";
constexpr char kSwitchLabel[] = "VMFunctionLabel";
constexpr char kSwitchUp[] = "VMFunctionUpImage";
constexpr char kSwitchDown[] = "VMFunctionDownImage";

}  // namespace

VoiceMagic::VoiceMagic(FeatureDeps deps, EncParts parts)
    : deps_(deps), parts_(parts), commands_(deps.library), registry_(parts.registry) {}

void VoiceMagic::LoadVoiceMagic() {
  if (!deps_.device.Active() || !EncSupported()) return;
  const EncRegistryState::VoiceMagic stored = registry_.LoadVoiceMagic();
  effect_ = stored.effect;
  on_ = stored.on;
  SetVoiceMagicOn(on_, true);
  SetVoiceEffect(effect_);
}

void VoiceMagic::SetVoiceMagicOn(int on, bool send) {
  registry_.SaveVoiceMagicOn(on);
  if (!send) return;
  static_cast<void>(commands_.SetVoiceMagicOn(on));
  SetVoiceEffect(effect_);
}

std::int32_t VoiceMagic::SetVoiceEffect(int effect) {
  registry_.SaveVoiceMagicEffect(effect);
  return commands_.SetVoiceEffect(on_, effect);
}

void VoiceMagic::ShowVoiceMagic() {
  parts_.display.ShowPicture(kSwitchImage, on_ == 1 ? kSwitchDown : kSwitchUp);
  parts_.display.ShowLabelDown(kSwitchLabel, on_ == 1);
  for (int n = 0; n < VoiceEffectTable::kCount; ++n) {
    const std::string stem = VoiceEffectTable::Stem(n);
    const bool chosen = n == effect_;
    parts_.display.ShowPicture(stem + "Image", stem + (chosen ? "DownImage" : "UpImage"));
    parts_.display.ShowLabelDown(stem + "Label", chosen);
  }
}

bool VoiceMagic::Usable() {
  if (!deps_.device.Active()) return false;
  if (!EncSupported()) {
    parts_.display.ShowEncWarning();
    return false;
  }
  return true;
}

void VoiceMagic::SwitchClicked() {
  if (!Usable()) return;
  on_ = on_ == 0 ? 1 : 0;
  ShowVoiceMagic();
  SetVoiceMagicOn(on_, true);
}

void VoiceMagic::EffectClicked(int effect) {
  if (!Usable()) return;
  effect_ = VoiceEffectTable::Normalize(effect);
  ShowVoiceMagic();
  SetVoiceEffect(effect_);
}

void VoiceMagic::OnRemoved() {
  on_ = 0;
  effect_ = 0;
  SetVoiceMagicOn(0, false);
  ShowVoiceMagic();
}

void VoiceMagic::OnShutdown() {
  AudioCommand off = AudioCommand::Switch(AudioCommand::kVoiceEffectGroup, false);
  static_cast<void>(deps_.library.SendAudioCommand(off));
}

void VoiceMagic::Save(ProfileWriter& profile) {
  profile.WriteInt("VoiceMagic", "VoiceMagicEN", on_);
  profile.WriteInt("VoiceMagic", "VoiceMagicMode", effect_);
}

void VoiceMagic::Load(ProfileReader& /*profile*/) { LoadVoiceMagic(); }

}  // namespace audio77
