#pragma once
// Noise cancellation as the window holds it today: the level the ENC slider
// stands at (0..30), whether the device offers it, the hardware button's flag
// and the button scan that "EncButtonMode" and "EncGpio" configure. Voice
// effects have no state yet; their switch-off at shutdown goes with this one.

#include <functional>

#include "features/Feature.h"
#include "features/FeatureDeps.h"

namespace audio77 {

class NoiseCancellation final : public Feature {
 public:
  using ButtonSink = std::function<void(const DeviceLibrary::ButtonReport&)>;

  explicit NoiseCancellation(FeatureDeps deps);

  std::string_view Name() const override { return "NoiseCancellation"; }
  // The hardware button's flag is forgotten.
  void OnRemoved() override;
  // Noise cancellation and voice effects go off.
  void OnShutdown() override;

  // "EncButtonMode" and "EncGpio" of the configuration.
  void Configure(int button_mode, int button_gpio);
  void SetAvailable(bool available) { available_ = available; }
  void SetLevel(int level) { level_ = level; }

  // With the device offering noise cancellation and the button mode 1: the
  // button's GPIO mode, then the scan when that was set. The library reports
  // on a thread of its own; deliver gets each report there.
  void StartButtonScanIfConfigured(std::uint16_t vendor_id, std::uint16_t product_id, ButtonSink deliver);

  // A report of the hardware button, on the UI thread. What the button does
  // comes with noise cancellation's own steps; today it changes nothing.
  void OnButtonReport(const DeviceLibrary::ButtonReport& /*report*/) {}

  bool Available() const { return available_; }
  int Level() const { return level_; }
  int ButtonFlag() const { return button_flag_; }

 private:
  FeatureDeps deps_;
  bool available_ = false;
  int button_flag_ = 0;
  int level_ = 0;
  int button_mode_ = 0;
  int button_gpio_ = 0;
};

}  // namespace audio77
