#pragma once
// The device's lighting as the window holds it today: the LED button in the
// title strip (held down it drives a GPIO line), the speeds of the three
// animated effects from the LED page's knobs, whether the LED page is usable,
// and whether the lighting effect worker runs.

#include <array>
#include <cstddef>
#include <functional>

#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/FeatureResult.h"

namespace audio77 {

class Lighting final : public Feature {
 public:
  static constexpr int kLedButtonTag = 51;
  // 1 breathe, 2 rainbow, 3 pulsating.
  static constexpr int kEffects = 3;

  // skin_page_mode: the skin's LED page mode (1: the page is usable).
  Lighting(FeatureDeps deps, std::function<int()> skin_page_mode);

  std::string_view Name() const override { return "Lighting"; }
  // The worker is stopped.
  void OnShutdown() override;
  void Describe(ui::SkinViewState& view) const override;
  // "LEDON": the LED button's state.
  void Save(ProfileWriter& profile) override;
  // "LEDON" when present sets the LED button and its picture.
  void Load(ProfileReader& profile) override;

  // The LED button: pressed it flips and drives GPIO 0 high, released it
  // flips back and drives it low. 1 no HID interface; 2 the exchange failed.
  FeatureResult PressLedButton();
  FeatureResult ReleaseLedButton();
  // Activation: the GPIO lines read, or all driven low while the button is up.
  FeatureResult GpioAtActivation();
  // The device left: the worker is forgotten.
  void ForgetWorker();

  void SetSpeed(int effect, int speed) { speeds_[Index(effect)] = speed; }
  int Speed(int effect) const { return speeds_[Index(effect)]; }
  bool PageEnabled() const { return (page_mode_ >= 0 ? page_mode_ : skin_page_mode_()) == 1; }
  // Tests: the LED page mode instead of the skin's (-1: the skin's again).
  void SetPageMode(int mode) { page_mode_ = mode; }
  int ButtonState() const { return button_state_; }
  bool WorkerRunning() const { return worker_started_; }

 private:
  static std::size_t Index(int effect) { return static_cast<std::size_t>(effect % kEffects); }
  FeatureResult WriteButtonGpio(bool held);

  FeatureDeps deps_;
  std::function<int()> skin_page_mode_;
  int button_state_ = 1;
  std::array<int, kEffects> speeds_{};
  int page_mode_ = -1;
  bool worker_started_ = false;
};

}  // namespace audio77
