#include "features/Virtual71.h"

#include <array>

namespace audio77 {
namespace {

int Flipped(int state) { return state == 0 ? 1 : 0; }

}  // namespace

Virtual71::Virtual71(FeatureDeps deps) : deps_(deps) {}

std::size_t Virtual71::LatchIndex(int tag) {
  switch (tag) {
    case kClockwiseTag:
      return 0;
    case kCounterClockwiseTag:
      return 1;
    case kNarrowTag:
      return 2;
    default:
      return 3;
  }
}

void Virtual71::Save(ProfileWriter& profile) { profile.WriteInt("Virtual7ch1", "7ch1EN", enable_); }

void Virtual71::Load(ProfileReader& profile) {
  enable_ = profile.Strict("Virtual7ch1", "7ch1EN") != 0 ? 1 : 0;
  if (excluded_by_3d_ && excluded_by_3d_()) enable_ = 0;
  remembered_ = enable_;
  deps_.view.ShowSwitch(kEnableTag, enable_);
  // The switch shows what the profile asked for; a library that refuses is
  // sent the enable again at the next activation.
  deps_.library.SetVirtual7ch1_OnOff(enable_);
  SendSpeakerPlacement();
}

void Virtual71::ToggleEnable() {
  enable_ = Flipped(enable_);
  deps_.view.ShowSwitch(kEnableTag, enable_);
}

void Virtual71::PressAnimationSwitch(int tag) {
  if ((tag == kClockwiseTag || tag == kCounterClockwiseTag) && enable_ == 0) return;
  // The others go off in this order after the pressed one flips.
  std::array<int, 3> others{};
  switch (tag) {
    case kClockwiseTag: others = {kCounterClockwiseTag, kNarrowTag, kEnlargeTag}; break;
    case kCounterClockwiseTag: others = {kClockwiseTag, kNarrowTag, kEnlargeTag}; break;
    case kNarrowTag: others = {kEnlargeTag, kClockwiseTag, kCounterClockwiseTag}; break;
    default: others = {kNarrowTag, kClockwiseTag, kCounterClockwiseTag}; break;
  }
  latches_[LatchIndex(tag)] = Flipped(latches_[LatchIndex(tag)]);
  deps_.view.ShowSwitch(tag, latches_[LatchIndex(tag)]);
  for (int other : others) {
    if (latches_[LatchIndex(other)] != 1) continue;
    latches_[LatchIndex(other)] = 0;
    deps_.view.ShowSwitch(other, 0);
  }
}

int Virtual71::SendSpeakerPlacement() {
  // The placement itself arrives with the speaker layout; until then there
  // is nothing to send and nothing can fail.
  return 0;
}

void Virtual71::ResetVirtual71() {
  if (!deps_.device.Active()) return;
  // The switch is sent again at the next activation whatever the library says.
  deps_.library.SetVirtual7ch1_OnOff(enable_);
  SendSpeakerPlacement();
}

void Virtual71::SwitchOffFor3D() {
  enable_ = 0;
  // 3D has already gone on; a library that refuses leaves nothing to undo.
  deps_.library.SetVirtual7ch1_OnOff(0);
  SendSpeakerPlacement();
  deps_.library.SetVirtual7ch1_Scalar(scale_);
  deps_.view.ShowSwitch(kEnableTag, 0);
  deps_.view.SetImageVisible(kEnableTag, false);
  for (int tag : {kCounterClockwiseTag, kClockwiseTag}) {
    if (latches_[LatchIndex(tag)] != 1) continue;
    latches_[LatchIndex(tag)] = 0;
    deps_.view.ShowSwitch(tag, 0);
    deps_.view.SetImageVisible(tag, false);
  }
}

void Virtual71::SwitchOffAtStart() {
  // Start-up goes on whatever the library answers; activation sends again.
  deps_.library.SetVirtual7ch1_OnOff(0);
  SendSpeakerPlacement();
}

void Virtual71::SendScaleAtStart() {
  // As above: activation sends the scale again with a retry.
  deps_.library.SetVirtual7ch1_Scalar(scale_);
}

void Virtual71::SendAtActivation() {
  if (deps_.library.SetVirtual7ch1_OnOff(enable_) != 0) deps_.library.SetVirtual7ch1_OnOff(enable_);
  if (SendSpeakerPlacement() != 0) SendSpeakerPlacement();
  if (deps_.library.SetVirtual7ch1_Scalar(scale_) != 0) deps_.library.SetVirtual7ch1_Scalar(scale_);
}

void Virtual71::RestoreRemembered() {
  if (remembered_ != 1) return;
  enable_ = 1;
  // One try, as for the page's own switch.
  deps_.library.SetVirtual7ch1_OnOff(1);
}

void Virtual71::OnShutdown() {
  enable_ = 0;
  ResetVirtual71();
}

void Virtual71::OnRemoved() {
  enable_ = 0;
  deps_.view.ShowSwitch(kEnableTag, 0);
}

void Virtual71::Describe(ui::SkinViewState& view) const { view.virtual_enabled = enable_ != 0; }

}  // namespace audio77
