#pragma once
// Voice effects (Voice Magic): the switch and the five effects. The registry
// keeps the switch and the effect's level; every change is written there at
// once and sent to the device. Voice Magic is usable only on a device that
// supports noise cancellation.

#include <cstdint>

#include "device/DeviceLibrary.h"
#include "device/DeviceStatus.h"
#include "features/EncCommands.h"
#include "features/EncDisplay.h"
#include "features/EncRegistryState.h"
#include "platform/Registry.h"
#include "settings/ProfileWriter.h"

namespace audio77 {

class VoiceMagicControl {
 public:
  struct Parts {
    DeviceLibrary& library;
    const DeviceStatus& device;
    Registry& registry;
    EncDisplay& display;
  };

  explicit VoiceMagicControl(Parts parts);

  // Switch and effect from the registry, sent to the device; only while the
  // device is active and supports ENC.
  void LoadVoiceMagic(bool enc_supported);
  // Stores the switch; with send, sends it and the current effect.
  void SetVoiceMagicOn(int on, bool send);
  // Stores the effect's level and sends it with the switch.
  std::int32_t SetVoiceEffect(int effect);
  // Switch and effect buttons from the state.
  void ShowVoiceMagic();

  void SwitchClicked(bool enc_supported);
  void EffectClicked(int effect, bool enc_supported);

  // The device left: off and no effect, stored as off, nothing sent.
  void OnRemoved();
  // Voice Magic off when the device is still there.
  void OnShutdown(bool device_present);
  void Save(ProfileWriter& profile) const;

  int On() const { return on_; }
  int Effect() const { return effect_; }

 private:
  // Active and supported; the warning when active without ENC support.
  bool Usable(bool enc_supported);

  Parts parts_;
  EncCommands commands_;
  EncRegistryState registry_;
  int on_ = 0;
  int effect_ = 0;
};

}  // namespace audio77
