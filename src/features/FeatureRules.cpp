#include "features/FeatureRules.h"

#include "device/ChipRegisters.h"

namespace audio77 {

void FeatureRules::Toggle3DEnable() {
  sound3d_.Toggle3DEnable();
  if (ThreeDExcludesVirtual71()) virtual71_.SwitchOffFor3D();
  sound3d_.Apply3DEnable(sound3d_.Enabled());
  sound3d_.Set3DEnableRegister(sound3d_.Enabled())
      .Ignore("the switch shows the user's choice; the library switch above carries it");
}

void FeatureRules::ToggleVirtual71() {
  virtual71_.ToggleEnable();
  if (exclusive_ == 1 && virtual71_.Enabled() == 1) sound3d_.SwitchOffForVirtual71();
  virtual71_.ApplyToggle();
}

void FeatureRules::ResetEqualizer() {
  equalizer_.ResetEqualizer([this] { sound3d_.Apply3DEnable(sound3d_.Enabled()); });
}

void FeatureRules::SyncEqFromEeprom() {
  equalizer_.SyncEqFromEeprom();
  if (const auto wants_3d = equalizer_.EepromWants3D()) sound3d_.SetFromEeprom(*wants_3d);
}

void FeatureRules::EqualizerAtActivation() {
  if (equalizer_.FromEeprom() == 1) {
    SyncEqFromEeprom();
    SyncEqFromEeprom();
  } else {
    equalizer_.ApplyDefaultEnable();
  }
}

void FeatureRules::Virtual71EnableAtActivation() {
  virtual71_.TakeDefaultEnable();
  if (ThreeDExcludesVirtual71()) virtual71_.ForceOff();
}

FeatureResult FeatureRules::ClearEffectEnables(RegisterSession& transaction) {
  return FeatureResult::FromStep(transaction.Write(chip::kEffectEnable, 0));
}

}  // namespace audio77
