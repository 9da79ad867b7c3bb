#pragma once
// 3D sound: the on/off switch (library and chip registers), the four
// parameters of the 3D page from its four knobs, the links that tie the left
// and right knobs together, FBM and reset. 3D owns its enable and its EEPROM
// flag; the exclusion with virtual 7.1 is FeatureRules', which calls
// Toggle3DEnable, then its own rule, then Apply3DEnable and
// Set3DEnableRegister.

#include <cstdint>

#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/FeatureResult.h"
#include "features/Sound3DCodec.h"

namespace audio77 {

class Sound3D final : public Feature {
 public:
  static constexpr int kLeftBetaTag = 34;
  static constexpr int kLeftAlphaTag = 35;
  static constexpr int kRightBetaTag = 36;
  static constexpr int kRightAlphaTag = 37;
  static constexpr int kEnableTag = 8;
  static constexpr int kFbmTag = 13;
  static constexpr int kKnobTopLimit = Sound3DCodec::kKnobTopLimit;
  static constexpr int kKnobBottomLimit = Sound3DCodec::kKnobBottomLimit;
  static constexpr int kLinkNever = -1;

  enum class Side { kLeft, kRight };
  using Record = Sound3DCodec::Record;

  explicit Sound3D(FeatureDeps deps);

  std::string_view Name() const override { return "3D"; }
  void OnRemoved() override;
  void Describe(ui::SkinViewState& view) const override;
  // The four parameters, "FBM", "3DEN" and "3DFromEEPROM".
  void Save(ProfileWriter& profile) override;
  // "3DEN" switches 3D and the pictures follow; "3DFromEEPROM" is kept. The
  // parameters are not taken from a profile.
  void Load(ProfileReader& profile) override;

  // The record's defaults, FBM on, 3D off.
  void Init3DRecord();
  void Apply3DEnable(int flag);
  // 1 no HID interface; 2 a register exchange failed.
  FeatureResult Set3DEnableRegister(int flag);
  // 1 no HID interface; 2 a register exchange failed or a value lies
  // outside its range.
  FeatureResult Set3DSwitchAndParameters(int flag);
  FeatureResult SetFbm(int value);
  FeatureResult Set3DFromSliders(Side side, bool write);
  void Link3DSlider(int tag, int top);
  // The slider mechanics after a 3D knob moved to top (already clamped).
  void SliderMoved(int tag, int top);
  void Show3D();
  void Reset3D();
  void Sync3DFromDevice();
  // The device was activated from an arrival: the device's 3D, or the
  // default profile's enable.
  void AtActivation();
  // "3D-EN": flips the switch (state and picture); FeatureRules goes on.
  void Toggle3DEnable();
  // Virtual 7.1 went on under the exclusion: 3D goes off in the library and
  // the register, its switch shows off and stays hidden until the page is
  // shown again.
  void SwitchOffForVirtual71();
  // "FBM": flips the switch and sends it.
  void ToggleFbm();
  // The link buttons: -1 or 2 -> 0 -> 1 -> 2, with the matching picture.
  void CycleAlphaLink();
  void CycleBetaLink();
  // The flags a profile or the EEPROM equalizer set.
  void SetFromEeprom(int from_eeprom) { from_eeprom_ = from_eeprom; }
  void SetDefaultEnable(int enable) { default_enable_ = enable; }

  int Enabled() const { return enable_; }
  int FromEeprom() const { return from_eeprom_; }
  const Record& Values() const { return record_; }
  int FbmState() const { return fbm_state_; }
  int AlphaLink() const { return alpha_link_; }
  int BetaLink() const { return beta_link_; }
  int FromDevice() const { return from_device_; }
  static int ValueFromTop(int top, int travel) { return Sound3DCodec::ValueFromTop(top, travel); }
  static int TopFromValue(int value, int travel) { return Sound3DCodec::TopFromValue(value, travel); }

 private:
  int WriteParameterRegisters(RegisterSession& transaction);
  int Travel() const { return deps_.view.Travel(kLeftBetaTag).length; }
  void ShowValueLabels();
  int& ValueOf(int tag);

  FeatureDeps deps_;
  Record record_;
  int enable_ = 0;
  int from_eeprom_ = 0;
  int default_enable_ = 0;
  int fbm_state_ = 1;
  int alpha_link_ = kLinkNever;
  int beta_link_ = kLinkNever;
  int from_device_ = 0;
};

}  // namespace audio77
