#pragma once
// Noise cancellation (ENC): its switch, its level 0..30 with the knob of the
// ENC page, the parameter block sent with the level, the registry value that
// makes a device "ENC supported", and the hardware button that toggles it.
//
// The button's reports come from the device library's thread; the relay posts
// them to the UI thread, where they are handled in order. The hand-off stops
// at removal and before the window goes, so no report is handled for a device
// that left or after the window is gone.

#include <cstdint>

#include "features/ButtonReportRelay.h"
#include "features/EncButton.h"
#include "features/EncCommands.h"
#include "features/EncDisplay.h"
#include "features/EncParameters.h"
#include "features/EncRegistryState.h"
#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "platform/Registry.h"
#include "toolkit/EventLoop.h"

namespace audio77 {

// What noise cancellation and voice effects need besides the device: the
// registry that keeps their state, the UI thread's loop the button's reports
// are posted to, and the named controls of their pages.
struct EncParts {
  Registry& registry;
  toolkit::EventLoop& loop;
  EncDisplay& display;
};

class NoiseCancellation final : public Feature {
 public:
  NoiseCancellation(FeatureDeps deps, EncParts parts);
  ~NoiseCancellation() override;
  NoiseCancellation(const NoiseCancellation&) = delete;
  NoiseCancellation& operator=(const NoiseCancellation&) = delete;

  std::string_view Name() const override { return "NoiseCancellation"; }
  // The button hand-off stops and the device's reports are not taken until a
  // new scan; ENC shows off; nothing is sent.
  void OnRemoved() override;
  // ENC off on the device (the window calls this only while the device is there).
  void OnShutdown() override;
  // "ENCEN" and "ENCValue".
  void Save(ProfileWriter& profile) override;
  // A profile does not carry ENC back: the registry does, as at start-up.
  void Load(ProfileReader& profile) override;

  // "EncButtonMode" and "EncGpio" of the configuration.
  void Configure(int button_mode, int button_gpio);

  // The device's registry value decides support; with it ENC goes on at its
  // level with the device's own parameters. Only while the device is active.
  void LoadEncState();
  // ENC on or off on the device, once more when it fails.
  std::int32_t SetEncOn(int on);
  std::int32_t SendEncParameters();
  // Switch, value label and knob from the state.
  void ShowEnc();
  // The button scan, when ENC is supported and the button is configured; it
  // replaces a scan that ran before.
  void StartButtonScan();
  // No report is handled any more (the window is about to go).
  void StopButton();

  // The ENC switch clicked.
  void SwitchClicked();
  // A press on the knob or the bar: true when it may act; the ENC warning
  // when the device has no ENC, nothing without a device.
  bool KnobPressed();
  // The knob was dragged to this level (0..30): shown, not sent.
  void KnobMoved(int level);
  // The knob let go: the level goes to the device and the registry.
  void KnobReleased();
  // A click on the bar moved the knob to this level: shown only.
  void BarClicked(int level);

  bool Supported() const { return supported_ != 0; }
  int On() const { return on_; }
  int Level() const { return level_; }
  const EncParameters& Parameters() const { return parameters_; }
  const EncButton& Button() const { return button_; }
  bool ScanRunning() const { return relay_.Attached(); }

 private:
  int ToggleFromButton();
  void ShowSwitch();
  int KnobTopFor(int level) const;

  FeatureDeps deps_;
  EncParts parts_;
  int button_mode_ = 0;
  EncCommands commands_;
  EncRegistryState registry_;
  EncParameters parameters_;
  int supported_ = 0;
  int on_ = 0;
  int level_ = 0;
  EncButton button_;
  ButtonReportRelay relay_;
};

}  // namespace audio77
