#pragma once
// Virtual 7.1 surround: the enable switch, the four animation latches
// (clockwise, counter-clockwise, narrow, enlarge), the scale the library
// gets, the enable the default profile asks for at activation, and the eight
// speakers with their polar records and the values last prepared for the
// device. The layout goes to the library as one placement block.
//
// The 20 ms animation timer runs only while a latch is on, a device is
// active and no drag has stopped it: an idle window never wakes up for it.
// The exclusion with 3D is FeatureRules'. The bee test moves the same icons
// through the BeeStage this feature answers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "features/BeeStage.h"
#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/FeatureResult.h"
#include "features/SpeakerAnimation.h"
#include "features/SpeakerLayout.h"
#include "features/SpeakerView.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Timer.h"

namespace audio77 {

// What the speaker page is drawn on and the loop its timer runs on.
struct SpeakerStage {
  SpeakerView& view;
  toolkit::EventLoop& loop;
};

class Virtual71 final : public Feature, public BeeStage {
 public:
  static constexpr int kFirstSpeakerTag = 39;  // L; the eight icons follow in speaker order
  static constexpr int kEnableTag = 47;
  static constexpr int kClockwiseTag = 49;
  static constexpr int kCounterClockwiseTag = 50;
  static constexpr int kNarrowTag = 52;
  static constexpr int kEnlargeTag = 53;
  static constexpr float kDefaultScale = 2.0F;
  static constexpr std::uint32_t kTickMs = 20;
  static constexpr const char* kSection = "Virtual7ch1";
  // A dragged icon stays this far inside the speaker picture.
  static constexpr int kAreaMargin = 10;

  Virtual71(FeatureDeps deps, SpeakerStage stage);

  std::string_view Name() const override { return "Virtual71"; }
  // The enable goes off and the layout is reset; the device follows.
  void OnShutdown() override;
  // The enable shows off; nothing is sent; the latches stay.
  void OnRemoved() override;
  void Describe(ui::SkinViewState& view) const override;
  // The eight positions (C, L, LS, LB, RB, RS, SUB, R) and "7ch1EN".
  void Save(ProfileWriter& profile) override;
  // "7ch1EN" (strict) sets the enable, off while 3D excludes it, and is
  // remembered; then the positions (strict, in the order L, R, C, SUB, LS,
  // RS, LB, RB, kept in the circle's box); the library follows.
  void Load(ProfileReader& profile) override;
  // Whether 3D is on under the exclusion (FeatureRules answers).
  void SetExcludedBy3D(std::function<bool()> excluded) { excluded_by_3d_ = std::move(excluded); }

  // "V7ch1Scalar" × 0.1 of the configuration.
  void SetScale(float scale) { scale_ = scale; }
  // "OldVersion" of the configuration.
  void SetOldVersion(bool old_version) { layout_.SetOldVersion(old_version); }
  // With "DefaultIni" set, LayoutSpeakers reads the default profile's key
  // (the text of "L", "R", …); without one it takes the built-in geometry.
  void UseDefaultProfile(std::function<std::string(const std::string& key)> read) { read_default_ = std::move(read); }
  // The enable a profile asks for at activation, and the one remembered for
  // the Virtual 7.1 page.
  void SetDefaultEnable(int enable) { default_enable_ = enable; }
  void SetRememberedEnable(int enable) { remembered_ = enable; }

  // The icons from the default profile or the built-in geometry.
  void LayoutSpeakers();
  // Polar records (main or scratch) and device values from the icons.
  void MeasureSpeakers(SpeakerLayout::Target target) { layout_.MeasureSpeakers(target); }
  // The placement block with this enable, while the device is active; the
  // library's result (0 when nothing was sent).
  int SendPlacement(int enable);
  // While active: the library switch with the enable, then the placement.
  void ApplyVirtual();
  // RESET, and the same steps at shutdown.
  void ResetVirtual();

  // The Virtual 7.1 switch was pressed: it flips. FeatureRules then applies
  // the exclusion and calls ApplyToggle.
  void ToggleEnable();
  // The rest of the switch: scratch measurement, the library, and with the
  // enable off the rotation latches released.
  void ApplyToggle();
  // One of the four animation switches (by its Tag) was pressed: it flips,
  // the others go off. Rotation needs the enable.
  void PressAnimationSwitch(int tag);
  // A drag of the speaker icon with this Tag proposes a new corner: kept in
  // the circle and the speaker picture, the animation stops, the layout is
  // measured and sent.
  void DragSpeaker(int tag, int left, int top);
  // The mouse button went up over a speaker icon: the animation may run again.
  void SpeakerReleased();
  // One tick of the animation timer.
  void VirtualTick();
  // After a skin change: every icon on the new circle at its record's angle,
  // its radius scaled by ratio; the records keep their radii.
  void ReplaceSpeakers(double ratio);
  // The window closes: the timer stops for good.
  void StopAnimation();

  // 3D took over: the enable and a running rotation go off, in the library
  // too; their images stay hidden until the page is shown again.
  void SwitchOffFor3D();

  // Start-up with an active device: off in the library and the placement
  // sent, then, later in the same step, the scale.
  void ClearPlacement();
  void SwitchOffAtStart();
  void SendScaleAtStart();
  // Start-up's settings from the default profile: the reset, then the layout again.
  void LayoutAtStart();
  // Activation: the enable the default profile asks for (the caller applies
  // the exclusion with 3D), then the library with one retry per call.
  void TakeDefaultEnable();
  void ForceOff();
  void SendAtActivation();
  // On its own page the remembered enable comes back on.
  void RestoreRemembered();

  int Enabled() const { return enable_; }
  int Remembered() const { return remembered_; }
  float Scale() const { return scale_; }
  int Latch(int tag) const { return latches_[LatchIndex(tag)]; }
  const SpeakerLayout& Layout() const { return layout_; }
  // Whether the animation timer runs now.
  bool Animating() const { return timer_.Enabled(); }

  // The bee test's stage: the bee and the speaker icons on the circle.
  void ShowBee(bool visible) override;
  int CircleSize() const override { return layout_.Circle().radius; }
  Orbit& SpeakerOrbit(int speaker) override { return layout_.Record(speaker); }
  IconPoint Position(int icon) const override;
  void Move(int icon, IconPoint to) override;
  void OrbitStep(int icon, Orbit& record, double radius, int direction) override;
  void SendPlacement() override;

 private:
  static std::size_t LatchIndex(int tag);
  static std::optional<int> SpeakerOfTag(int tag);
  AnimationLatches Latches() const;
  // The timer runs exactly while it may and has something to do.
  void UpdateTimer();
  void ShowIcons();
  void ReleaseRotation(bool hide);

  FeatureDeps deps_;
  SpeakerView& view_;
  toolkit::Timer timer_;
  SpeakerLayout layout_;
  SpeakerPosition bee_;
  std::function<std::string(const std::string&)> read_default_;
  int enable_ = 0;
  int remembered_ = 0;
  int default_enable_ = 0;
  // Clockwise, counter-clockwise, narrow, enlarge; at most one is on.
  std::array<int, 4> latches_{};
  float scale_ = kDefaultScale;
  // Cleared by a drag, set again by the release over a speaker.
  bool timer_allowed_ = true;
  bool stopped_ = false;
  std::function<bool()> excluded_by_3d_;
};

}  // namespace audio77
