#pragma once
// The rules that span two features, in one place: 3D and virtual 7.1 exclude
// each other when "3DV7ch1MutuallyExclusive" is 1; the equalizer's RESET
// re-sends the 3D switch; the EEPROM equalizer hands its 3D bit to 3D; both
// share the effect-enable register. Features never call each other; the
// controller calls these where a step involves more than one feature.

#include "features/Equalizer.h"
#include "features/FeatureResult.h"
#include "features/Sound3D.h"
#include "features/Virtual71.h"

namespace audio77 {

class FeatureRules {
 public:
  FeatureRules(Equalizer& equalizer, Sound3D& sound3d, Virtual71& virtual71)
      : equalizer_(equalizer), sound3d_(sound3d), virtual71_(virtual71) {}

  // "3DV7ch1MutuallyExclusive" of the configuration.
  void SetExclusive3DVirtual71(int exclusive) { exclusive_ = exclusive; }
  int Exclusive3DVirtual71() const { return exclusive_; }

  // "3D-EN": the switch flips; with the exclusion, 3D going on takes virtual
  // 7.1 off; then the library switch and the enable register follow.
  void Toggle3DEnable();
  // "7ch1-EN": the switch flips; with the exclusion, virtual 7.1 going on
  // takes 3D off; then the layout goes to the library.
  void ToggleVirtual71();
  // RESET of the equalizer, ending with the 3D switch re-sent.
  void ResetEqualizer();
  // The EEPROM equalizer, then its 3D bit handed to 3D.
  void SyncEqFromEeprom();
  // Activation: the EEPROM equalizer (twice) when the profile asks for it,
  // else the default profile's enable.
  void EqualizerAtActivation();
  // Activation: the default enable of virtual 7.1, off while 3D is on under
  // the exclusion (a request for both keeps 3D).
  void Virtual71EnableAtActivation();
  // 3D is on and excludes virtual 7.1.
  bool ThreeDExcludesVirtual71() const { return exclusive_ == 1 && sound3d_.Enabled() == 1; }
  // Shutdown: every effect enable of the shared register cleared.
  FeatureResult ClearEffectEnables(RegisterSession& transaction);

 private:

  Equalizer& equalizer_;
  Sound3D& sound3d_;
  Virtual71& virtual71_;
  int exclusive_ = 0;
};

}  // namespace audio77
