#include "features/Virtual71.h"

#include <array>
#include <cstdint>

#include "features/PlacementBlock.h"
#include "settings/CommaList.h"
#include "settings/IntegerText.h"

namespace audio77 {
namespace {

int Flipped(int state) { return state == 0 ? 1 : 0; }

// The order in which a profile's positions are applied.
constexpr std::array<Speaker, kSpeakerCount> kLoadOrder = {Speaker::kL,  Speaker::kR,  Speaker::kC,  Speaker::kSub,
                                                           Speaker::kLS, Speaker::kRS, Speaker::kLB, Speaker::kRB};

std::string Key(Speaker speaker) { return std::string(SpeakerLayout::kProfileKeys[SpeakerLayout::Index(speaker)]); }

// "left,top" of a profile, both strict: a missing or broken value stops the apply.
SpeakerPosition StrictPosition(const std::string& text) {
  std::array<std::string, 2> items;
  SplitCommaList(text, items);
  return SpeakerPosition{StrToInt(items[0]), StrToInt(items[1])};
}

}  // namespace

Virtual71::Virtual71(FeatureDeps deps, SpeakerStage stage)
    : deps_(deps), view_(stage.view), timer_(stage.loop, "Timer", kTickMs, false) {
  timer_.OnTimer = [this](toolkit::Timer&) { VirtualTick(); };
}

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

std::optional<int> Virtual71::SpeakerOfTag(int tag) {
  const int speaker = tag - kFirstSpeakerTag;
  if (speaker < 0 || speaker >= kSpeakerCount) return std::nullopt;
  return speaker;
}

AnimationLatches Virtual71::Latches() const {
  return AnimationLatches{latches_[0], latches_[1], latches_[2], latches_[3]};
}

void Virtual71::UpdateTimer() {
  const bool run = !stopped_ && timer_allowed_ && Latches().AnyOn() && deps_.device.Active();
  // Enabling restarts the interval: a running timer is left alone.
  if (timer_.Enabled() != run) timer_.SetEnabled(run);
}

void Virtual71::ShowIcons() {
  for (int i = 0; i < kSpeakerCount; ++i) view_.MoveSpeaker(i, layout_.Positions()[static_cast<std::size_t>(i)]);
}

void Virtual71::Save(ProfileWriter& profile) {
  for (Speaker speaker : SpeakerLayout::kWriteOrder) {
    const SpeakerPosition& at = layout_.Position(speaker);
    profile.WriteText(kSection, Key(speaker), std::to_string(at.left) + "," + std::to_string(at.top));
  }
  profile.WriteInt(kSection, "7ch1EN", enable_);
}

void Virtual71::Load(ProfileReader& profile) {
  enable_ = profile.Strict(kSection, "7ch1EN") != 0 ? 1 : 0;
  if (excluded_by_3d_ && excluded_by_3d_()) enable_ = 0;
  remembered_ = enable_;
  layout_.SetCircle(view_.Circle());
  for (Speaker speaker : kLoadOrder) {
    layout_.Place(speaker, StrictPosition(profile.Text(kSection, Key(speaker))));
    view_.MoveSpeaker(SpeakerLayout::Index(speaker), layout_.Position(speaker));
    deps_.view.ShowSwitch(kEnableTag, enable_);
  }
  MeasureSpeakers(SpeakerLayout::Target::kMain);
  // The switch shows what the profile asked for; a library that refuses is
  // sent the enable again at the next activation.
  deps_.library.SetVirtual7ch1_OnOff(enable_);
  SendPlacement(enable_);
}

void Virtual71::LayoutSpeakers() {
  layout_.SetCircle(view_.Circle());
  ProfilePositions from_profile{};
  if (read_default_) {
    // Each speaker the default profile places well is taken; a missing or
    // broken key leaves that speaker to the built-in geometry.
    for (int i = 0; i < kSpeakerCount; ++i) {
      from_profile[static_cast<std::size_t>(i)] =
          SpeakerLayout::ParsePosition(read_default_(std::string(SpeakerLayout::kProfileKeys[static_cast<std::size_t>(i)])));
    }
    deps_.view.ShowSwitch(kEnableTag, enable_);
  }
  layout_.LayoutSpeakers(from_profile);
  ShowIcons();
}

int Virtual71::SendPlacement(int enable) {
  if (!deps_.device.Active()) return 0;
  const auto fields = PlacementBlock::Prepare(enable, layout_.LibraryValues(), layout_.Circle().radius);
  return deps_.library.SetVirtual7ch1(PlacementBlock::ToLibrary(fields));
}

void Virtual71::ApplyVirtual() {
  if (!deps_.device.Active()) return;
  // Library results are not reported: the next tick or activation sends again.
  deps_.library.SetVirtual7ch1_OnOff(enable_);
  SendPlacement(enable_);
}

void Virtual71::ResetVirtual() {
  LayoutSpeakers();
  MeasureSpeakers(SpeakerLayout::Target::kMain);
  ApplyVirtual();
}

void Virtual71::ToggleEnable() {
  enable_ = Flipped(enable_);
  deps_.view.ShowSwitch(kEnableTag, enable_);
}

void Virtual71::ApplyToggle() {
  MeasureSpeakers(SpeakerLayout::Target::kScratch);
  ApplyVirtual();
  if (enable_ == 0) ReleaseRotation(false);
  UpdateTimer();
}

void Virtual71::ReleaseRotation(bool hide) {
  for (int tag : {kCounterClockwiseTag, kClockwiseTag}) {
    if (latches_[LatchIndex(tag)] != 1) continue;
    latches_[LatchIndex(tag)] = 0;
    deps_.view.ShowSwitch(tag, 0);
    if (hide) deps_.view.SetImageVisible(tag, false);
  }
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
  UpdateTimer();
}

void Virtual71::DragSpeaker(int tag, int left, int top) {
  const std::optional<int> speaker = SpeakerOfTag(tag);
  if (!speaker) return;
  if (!layout_.InsideCircle({left, top})) return;
  const SpeakerBox area = view_.Area();
  const SpeakerBox icon = view_.Icon(*speaker);
  const auto index = static_cast<Speaker>(*speaker);
  SpeakerPosition at = layout_.Position(index);
  // In 64 bits: a skin may give any numbers.
  const std::int64_t area_right = std::int64_t{area.left} + area.width - kAreaMargin;
  const std::int64_t area_bottom = std::int64_t{area.top} + area.height - kAreaMargin;
  if (std::int64_t{area.left} + kAreaMargin < left && std::int64_t{left} + icon.width <= area_right) at.left = left;
  if (top >= std::int64_t{area.top} + kAreaMargin && std::int64_t{top} + icon.height <= area_bottom) at.top = top;
  layout_.Place(index, at);
  view_.MoveSpeaker(*speaker, layout_.Position(index));
  timer_allowed_ = false;
  UpdateTimer();
  MeasureSpeakers(SpeakerLayout::Target::kMain);
  ApplyVirtual();
}

void Virtual71::SpeakerReleased() {
  timer_allowed_ = true;
  UpdateTimer();
}

void Virtual71::VirtualTick() {
  if (!deps_.device.Active()) {
    // Nothing moves without a device; the timer waits for the next activation.
    UpdateTimer();
    return;
  }
  if (!SpeakerAnimation::Step(Latches(), layout_)) {
    UpdateTimer();
    return;
  }
  ShowIcons();
  ApplyVirtual();
}

void Virtual71::ReplaceSpeakers(double ratio) {
  layout_.ReplaceOnCircle(view_.Circle(), ratio);
  ShowIcons();
}

void Virtual71::StopAnimation() {
  stopped_ = true;
  timer_.SetEnabled(false);
}

void Virtual71::SwitchOffFor3D() {
  enable_ = 0;
  // 3D has already gone on; a library that refuses leaves nothing to undo.
  deps_.library.SetVirtual7ch1_OnOff(0);
  SendPlacement(0);
  deps_.library.SetVirtual7ch1_Scalar(scale_);
  deps_.view.ShowSwitch(kEnableTag, 0);
  deps_.view.SetImageVisible(kEnableTag, false);
  ReleaseRotation(true);
  UpdateTimer();
}

void Virtual71::ClearPlacement() { layout_.ClearMeasurements(); }

void Virtual71::SwitchOffAtStart() {
  // Start-up goes on whatever the library answers; activation sends again.
  deps_.library.SetVirtual7ch1_OnOff(0);
  SendPlacement(0);
}

void Virtual71::SendScaleAtStart() {
  // As above: activation sends the scale again with a retry.
  deps_.library.SetVirtual7ch1_Scalar(scale_);
}

void Virtual71::LayoutAtStart() {
  ResetVirtual();
  LayoutSpeakers();
}

void Virtual71::TakeDefaultEnable() {
  enable_ = default_enable_ == 1 ? 1 : 0;
  deps_.view.ShowSwitch(kEnableTag, enable_);
}

void Virtual71::ForceOff() {
  enable_ = 0;
  deps_.view.ShowSwitch(kEnableTag, 0);
}

void Virtual71::SendAtActivation() {
  if (deps_.library.SetVirtual7ch1_OnOff(enable_) != 0) deps_.library.SetVirtual7ch1_OnOff(enable_);
  if (SendPlacement(enable_) != 0) SendPlacement(enable_);
  if (deps_.library.SetVirtual7ch1_Scalar(scale_) != 0) deps_.library.SetVirtual7ch1_Scalar(scale_);
  UpdateTimer();
}

void Virtual71::RestoreRemembered() {
  if (remembered_ != 1) return;
  enable_ = 1;
  deps_.view.ShowSwitch(kEnableTag, 1);
  // One try, as for the page's own switch.
  deps_.library.SetVirtual7ch1_OnOff(1);
}

void Virtual71::OnShutdown() {
  StopAnimation();
  enable_ = 0;
  ResetVirtual();
}

void Virtual71::OnRemoved() {
  enable_ = 0;
  deps_.view.ShowSwitch(kEnableTag, 0);
  UpdateTimer();
}

void Virtual71::Describe(ui::SkinViewState& view) const {
  view.virtual_enabled = enable_ != 0;
  view.clockwise = latches_[0] == 1;
  view.counterclockwise = latches_[1] == 1;
  view.narrow = latches_[2] == 1;
  view.enlarge = latches_[3] == 1;
}

void Virtual71::ShowBee(bool visible) { view_.ShowBee(visible); }

IconPoint Virtual71::Position(int icon) const {
  if (icon == kBee) return bee_;
  return layout_.Positions()[static_cast<std::size_t>(icon - 1)];
}

void Virtual71::Move(int icon, IconPoint to) {
  if (icon == kBee) {
    bee_ = to;
    view_.MoveBee(to);
    return;
  }
  layout_.Icon(icon - 1) = to;
  view_.MoveSpeaker(icon - 1, to);
}

void Virtual71::OrbitStep(int icon, Orbit& record, double radius, int direction) {
  IconPoint at = Position(icon);
  SpeakerAnimation::OrbitStep(at, record, radius, direction, layout_.Circle());
  Move(icon, at);
}

void Virtual71::SendPlacement() {
  if (!deps_.device.Active()) return;
  MeasureSpeakers(SpeakerLayout::Target::kScratch);
  ApplyVirtual();
}

}  // namespace audio77
