#pragma once
// The five listening environments of the Effect page. One is current; the
// choice goes to the audio driver as a select request with the environment's
// index and an apply request. The display follows the user's choice whether
// or not the driver took it.

#include <string>

#include "ui/FeatureContext.h"
#include "ui/FeatureView.h"

namespace audio77 {

class EnvironmentEffects {
 public:
  static constexpr int kCount = 5;
  static constexpr int kFirstTag = 16;

  EnvironmentEffects(FeatureContext context, FeatureView& view);

  // n = 1..5 from the buttons; a profile may give any number, which is sent
  // as it is (index n - 1) and leaves the effect picture unchanged.
  void SelectEffect(int n);
  // The five buttons (the current one pressed) and the effect picture.
  void ShowEffectButtons();
  // Start-up: the apply request alone.
  void ApplyAtStart();
  // Shutdown: "Nothing" selected and applied.
  void SelectNothingAtShutdown();
  // The device left: "Nothing" is current on screen, nothing is sent.
  void DeviceRemoved();

  // The tag of environment n's button, and the environment of a button.
  static int TagOf(int n) { return kFirstTag + n - 1; }
  static int EffectOfTag(int tag) { return tag - kFirstTag + 1; }

 private:
  FeatureContext context_;
  FeatureView& view_;
};

}  // namespace audio77
