#pragma once
// The five listening environments of the Effect page. One is current; the
// choice goes to the audio driver as a select request with the environment's
// index and an apply request. The display follows the user's choice whether
// or not the driver took it.

#include <string>

#include "device/ExtensionTransport.h"
#include "features/Feature.h"
#include "features/FeatureDeps.h"

namespace audio77 {

class EnvironmentEffects final : public Feature {
 public:
  static constexpr int kCount = 5;
  static constexpr int kFirstTag = 16;

  // The environments are the driver extension's: it is this feature's only
  // way to the device.
  EnvironmentEffects(FeatureDeps deps, ExtensionTransport& extension);

  std::string_view Name() const override { return "EnvironmentEffects"; }
  // Shutdown: "Nothing" selected and applied.
  void OnShutdown() override;
  // The device left: "Nothing" is current on screen, nothing is sent.
  void OnRemoved() override;
  void Describe(ui::SkinViewState& view) const override;
  // "CurrentEffect".
  void Save(ProfileWriter& profile) override;
  // "CurrentEffect" (strict) is selected and sent; a number that names no
  // environment selects "Nothing".
  void Load(ProfileReader& profile) override;

  // n = 1..5 from the buttons; a profile may give any number, which is sent
  // as it is (index n - 1) and leaves the effect picture unchanged.
  void SelectEffect(int n);
  // The five buttons (the current one pressed) and the effect picture.
  void ShowEffectButtons();
  // "Nothing" current and shown, nothing sent (start-up and removal).
  void ShowNothingSelected();
  // Start-up: the apply request alone.
  void ApplyAtStart();

  int Current() const { return current_; }

  // The tag of environment n's button, and the environment of a button.
  static int TagOf(int n) { return kFirstTag + n - 1; }
  static int EffectOfTag(int tag) { return tag - kFirstTag + 1; }

 private:
  FeatureDeps deps_;
  ExtensionTransport& extension_;
  int current_ = 1;
};

}  // namespace audio77
