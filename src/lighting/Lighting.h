#pragma once
// The device's lighting as the window holds it: the LED button in the title
// strip (held down it drives a GPIO line), the LED page with its effect worker,
// and the LED dialog the LED tab opens when the page is not used. The feature
// owns the page's state and all its lighting traffic; the controller only calls
// the named steps below in its ordered lists.
//
// Both workers are joined before the device is left neutral at shutdown, when
// the device that was there at start-up leaves (the effect worker), and when
// the dialog closes (the command worker); the lighting library calls of the
// page, the dialog and both workers are serialised by one lock.

#include <mutex>

#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/FeatureResult.h"
#include "lighting/LedPage.h"
#include "lighting/LedPageView.h"

namespace audio77 {

class TLEDForm;

class Lighting final : public Feature {
 public:
  static constexpr int kLedButtonTag = 51;

  // What a click on the LED tab leads to.
  enum class TabResult { kNothing, kPageApplied, kOpenDialog };

  Lighting(FeatureDeps deps, LedPageView& page_view);
  ~Lighting() override;
  Lighting(const Lighting&) = delete;
  Lighting& operator=(const Lighting&) = delete;

  std::string_view Name() const override { return "Lighting"; }
  // The lighting is switched off when the effect worker ran (both workers
  // are stopped first).
  void OnShutdown() override;
  void Describe(ui::SkinViewState& view) const override;
  // "LEDON", then the LED page's keys in the profile's order.
  void Save(ProfileWriter& profile) override;
  // "LEDON" when present sets the LED button and its picture; then each LED
  // page key present is applied and the page's state sent.
  void Load(ProfileReader& profile) override;

  // The LED button: pressed it flips and drives GPIO 0 high, released it
  // flips back and drives it low. 1 no HID interface; 2 the exchange failed.
  FeatureResult PressLedButton();
  FeatureResult ReleaseLedButton();
  // Activation: the GPIO lines read, or all driven low while the button is up.
  FeatureResult GpioAtActivation();

  // A skin was loaded: its page mode and fast-right switch; the first skin
  // sets the fixed colours, every skin gets the page's pictures, the colours
  // the page holds and its knobs at their places.
  void SkinLoaded(int page_mode, int fast_right);
  // Start-up with the device active, and the first activation after it.
  void StartLedEffects() { page_.StartLedEffects(); }
  // The device that was there at start-up left: the effect worker is stopped,
  // joined and forgotten.
  void ForgetWorker() { page_.ForgetLedEffects(); }
  // Before the device is left neutral: both workers stopped and joined.
  void StopWorkers();

  // The LED page's controls.
  void CheckClick(LedCheck check);
  void SwatchMouseDown(int swatch) { page_.SwatchMouseDown({swatch}); }
  void SpeedKnobMoved(int effect, int wanted_left) { page_.SpeedKnobMoved(effect, wanted_left); }
  void SpeedKnobReleased(int effect) { page_.SpeedKnobReleased(effect); }
  // The LED tab: its image (label false) or its label was clicked.
  TabResult LedTabClick(bool label);

  // The LED dialog the tab opens; null before it exists and after it went.
  void AttachDialog(TLEDForm* dialog) { dialog_ = dialog; }
  // Shows the dialog modally; returns when it closed.
  void ShowDialog();
  bool DialogShown() const;
  // The lock every lighting library call takes.
  std::mutex& CallLock() { return call_lock_; }

  bool PageEnabled() const { return page_.PageUsed(); }
  // The LED page mode as a skin would set it (tests and the skin's reload).
  void SetPageMode(int mode) { page_.ApplySkin(mode, page_.FastRight(), false); }
  int Speed(int effect) const { return page_.Speed(effect); }
  const LedPage& Page() const { return page_; }
  LedPage& Page() { return page_; }
  int ButtonState() const { return button_state_; }
  bool WorkerRunning() const { return page_.WorkerRunning(); }

 private:
  FeatureResult WriteButtonGpio(bool held);

  FeatureDeps deps_;
  std::mutex call_lock_;
  int button_state_ = 1;
  bool skin_loaded_ = false;
  // Whether the effect worker ran when the workers were stopped for shutdown.
  bool worker_ran_ = false;
  TLEDForm* dialog_ = nullptr;
  LedPage page_;  // last: its worker is joined before the rest goes
};

}  // namespace audio77
