#pragma once
// Virtual 7.1 surround as the window holds it today: the enable switch, the
// four animation latches (clockwise, counter-clockwise, narrow, enlarge), the
// scale the library gets, and the enable the default profile asks for at
// activation. The speaker placement is sent as its own step
// (SendSpeakerPlacement); the exclusion with 3D is FeatureRules'.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/FeatureResult.h"

namespace audio77 {

class Virtual71 final : public Feature {
 public:
  static constexpr int kEnableTag = 47;
  static constexpr int kClockwiseTag = 49;
  static constexpr int kCounterClockwiseTag = 50;
  static constexpr int kNarrowTag = 52;
  static constexpr int kEnlargeTag = 53;
  static constexpr float kDefaultScale = 2.0F;

  explicit Virtual71(FeatureDeps deps);

  std::string_view Name() const override { return "Virtual71"; }
  // The enable goes off and the device follows.
  void OnShutdown() override;
  // The enable shows off; nothing is sent.
  void OnRemoved() override;
  void Describe(ui::SkinViewState& view) const override;
  // "7ch1EN".
  void Save(ProfileWriter& profile) override;
  // "7ch1EN" (strict) sets the enable, off while 3D excludes it, and is
  // remembered; the switch shows it and the library follows.
  void Load(ProfileReader& profile) override;
  // Whether 3D is on under the exclusion (FeatureRules answers).
  void SetExcludedBy3D(std::function<bool()> excluded) { excluded_by_3d_ = std::move(excluded); }

  // "V7ch1Scalar" × 0.1 of the configuration.
  void SetScale(float scale) { scale_ = scale; }
  // The enable a profile asks for at activation, and the one remembered for
  // the Virtual 7.1 page.
  void SetDefaultEnable(int enable) { default_enable_ = enable; }
  void SetRememberedEnable(int enable) { remembered_ = enable; }

  // The Virtual 7.1 switch was pressed.
  void ToggleEnable();
  // One of the four animation switches (by its Tag) was pressed: it flips,
  // the others go off. Rotation needs the enable.
  void PressAnimationSwitch(int tag);
  // RESET, and the same steps at shutdown: the library follows the enable.
  void ResetVirtual71();
  // 3D took over: the enable and a running rotation go off, in the library
  // too; their images stay hidden until the page is shown again.
  void SwitchOffFor3D();
  // The speaker placement to the library; 0 done.
  int SendSpeakerPlacement();

  // Start-up with an active device: off in the library and the placement
  // sent, then, later in the same step, the scale.
  void SwitchOffAtStart();
  void SendScaleAtStart();
  // Activation: the enable the default profile asks for (the caller applies
  // the exclusion with 3D), then the library with one retry per call.
  void TakeDefaultEnable() { enable_ = default_enable_ == 1 ? 1 : 0; }
  void ForceOff() { enable_ = 0; }
  void SendAtActivation();
  // On its own page the remembered enable comes back on.
  void RestoreRemembered();

  int Enabled() const { return enable_; }
  int Remembered() const { return remembered_; }
  float Scale() const { return scale_; }
  int Latch(int tag) const { return latches_[LatchIndex(tag)]; }

 private:
  static std::size_t LatchIndex(int tag);

  FeatureDeps deps_;
  int enable_ = 0;
  int remembered_ = 0;
  int default_enable_ = 0;
  // Clockwise, counter-clockwise, narrow, enlarge; at most one is on.
  std::array<int, 4> latches_{};
  float scale_ = kDefaultScale;
  std::function<bool()> excluded_by_3d_;
};

}  // namespace audio77
