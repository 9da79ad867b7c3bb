#pragma once
// Voice effects (Voice Magic): the switch and the five effects. The registry
// keeps the switch and the effect's level; every change is written there at
// once and sent to the device. Voice Magic is usable only on a device that
// supports noise cancellation; the window tells it whether this one does.

#include <cstdint>
#include <functional>

#include "features/EncCommands.h"
#include "features/EncRegistryState.h"
#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/NoiseCancellation.h"

namespace audio77 {

class VoiceMagic final : public Feature {
 public:
  VoiceMagic(FeatureDeps deps, EncParts parts);

  std::string_view Name() const override { return "VoiceMagic"; }
  // Off and no effect, stored as off, nothing sent.
  void OnRemoved() override;
  // Voice Magic off on the device (the window calls this only while the device is there).
  void OnShutdown() override;
  // "VoiceMagicEN" and "VoiceMagicMode".
  void Save(ProfileWriter& profile) override;
  // A profile does not carry Voice Magic back: the registry does.
  void Load(ProfileReader& profile) override;

  // Whether the device supports noise cancellation, asked at each use.
  void FollowEncSupport(std::function<bool()> supported) { enc_supported_ = std::move(supported); }

  // Switch and effect from the registry, sent to the device; only while the
  // device is active and supports ENC.
  void LoadVoiceMagic();
  // Stores the switch; with send, sends it and the current effect.
  void SetVoiceMagicOn(int on, bool send);
  // Stores the effect's level and sends it with the switch.
  std::int32_t SetVoiceEffect(int effect);
  // Switch and effect buttons from the state.
  void ShowVoiceMagic();

  void SwitchClicked();
  void EffectClicked(int effect);

  int On() const { return on_; }
  int Effect() const { return effect_; }

 private:
  bool EncSupported() const { return enc_supported_ && enc_supported_(); }
  // Active and supported; the warning when active without ENC support.
  bool Usable();

  FeatureDeps deps_;
  EncParts parts_;
  EncCommands commands_;
  EncRegistryState registry_;
  std::function<bool()> enc_supported_;
  int on_ = 0;
  int effect_ = 0;
};

}  // namespace audio77
