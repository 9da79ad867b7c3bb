#pragma once
// Noise cancellation (ENC): its switch, its level 0..30 with the knob of the
// ENC page, the parameter block sent with the level, the registry value that
// makes a device "ENC supported", and the hardware button that toggles it.
//
// The button's reports come from the device library's thread; the relay posts
// them to the UI thread, where they are handled in order. The hand-off stops
// at removal and shutdown, so no report is handled for a device that left or
// after the window is gone.

#include <cstdint>

#include "device/DeviceLibrary.h"
#include "device/DeviceStatus.h"
#include "features/ButtonReportRelay.h"
#include "features/EncButton.h"
#include "features/EncCommands.h"
#include "features/EncDisplay.h"
#include "features/EncParameters.h"
#include "features/EncRegistryState.h"
#include "platform/DebugOutput.h"
#include "platform/Registry.h"
#include "settings/ProfileWriter.h"
#include "toolkit/EventLoop.h"

namespace audio77 {

class EncControl {
 public:
  // "EncButtonMode" and "EncGpio" of the configuration.
  struct ButtonSettings {
    int mode = 0;
    int gpio = 0;
  };
  struct Parts {
    DeviceLibrary& library;
    const DeviceStatus& device;
    Registry& registry;
    DebugOutput& debug;
    toolkit::EventLoop& loop;
    EncDisplay& display;
  };

  EncControl(Parts parts, ButtonSettings button);
  ~EncControl();
  EncControl(const EncControl&) = delete;
  EncControl& operator=(const EncControl&) = delete;

  // The device's registry value decides support; with it ENC goes on at its
  // level with the device's own parameters. Only while the device is active.
  void LoadEncState();
  // ENC on or off on the device, once more when it fails.
  std::int32_t SetEncOn(int on);
  std::int32_t SendEncParameters();
  // Switch, value label and knob from the state.
  void ShowEnc();
  // The button scan, when ENC is supported and the button is configured.
  void StartButtonScan();

  // The ENC switch clicked.
  void SwitchClicked();
  // A press on the knob: true when it may be dragged; the ENC warning when
  // the device has no ENC.
  bool KnobPressed();
  // The knob was dragged to this level (0..30).
  void KnobMoved(int level);
  // The knob let go: the level goes to the device and the registry.
  void KnobReleased();
  // A click on the bar moved the knob to this level: shown only.
  void BarClicked(int level);

  // The device left: the button hand-off stops, ENC shows off, nothing is sent.
  void OnRemoved();
  // The window closes: no report is handled any more; ENC off when the
  // device is still there.
  void OnShutdown(bool device_present);
  void Save(ProfileWriter& profile) const;

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

  Parts parts_;
  ButtonSettings button_settings_;
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
