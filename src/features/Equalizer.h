#pragma once
// The five-band equalizer: four presets S1..S4 kept packed in its
// configuration image, the working record that is shown and sent, the EQ-EN
// switch, RESET and the equalizer stored in the device's EEPROM. Band gains
// travel as 12-bit codes in two chip registers per band (EqualizerCodec); the
// on/off switch goes through the device library. The equalizer owns its
// enable, its current preset and its EEPROM flags; others read them through
// the queries below.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "features/EqualizerCodec.h"
#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/FeatureResult.h"

namespace audio77 {

class Equalizer final : public Feature {
 public:
  static constexpr int kBands = EqualizerCodec::kBands;
  static constexpr int kPresets = 4;
  static constexpr std::uint16_t kFlatCode = EqualizerCodec::kFlatCode;
  static constexpr std::size_t kImageSize = 2048;
  static constexpr std::size_t kSlotSize = EqualizerCodec::kSlotSize;
  static constexpr std::size_t kFirstSlot = 0x100;
  static constexpr int kFirstSliderTag = 29;
  static constexpr int kFirstFillTag = 229;
  static constexpr int kEnableTag = 7;
  // The six texts of a preset: five codes and the enable.
  static constexpr std::size_t kValueCount = 6;

  using Record = EqualizerCodec::Record;
  using Slot = EqualizerCodec::Slot;
  // The text of preset n ("S<n>") of the default profile; empty when missing.
  using DefaultPresetSource = std::function<std::string(int n)>;

  explicit Equalizer(FeatureDeps deps);

  std::string_view Name() const override { return "Equalizer"; }
  void OnRemoved() override;
  void Describe(ui::SkinViewState& view) const override;
  // "S1".."S4" from the preset slots with the enable, "EQEN", "EQFromEEPROM";
  // nothing is selected, so nothing reaches the device.
  void Save(ProfileWriter& profile) override;
  // "EQFromEEPROM", the four presets (strict; codes kept to the knobs'
  // range), then "EQEN" with the enable register and the library switch.
  void Load(ProfileReader& profile) override;

  // RESET takes the current preset from the default profile (without one,
  // the flat record).
  void UseDefaultProfile(DefaultPresetSource source) { default_presets_ = std::move(source); }

  void InitEqualizer();
  // n = 1..4; other values change nothing.
  void SelectEqPreset(int n);
  // Steps of a preset selection without the display: the record from slot
  // n - 1, the flat check, and the registers unless a profile is being saved.
  FeatureResult UnpackPreset(int n);
  // 1 no HID interface; 2 a register exchange failed.
  FeatureResult SetEqBandFromSlider(int band, bool write);
  // The slider mechanics after a knob of the current preset moved.
  void SliderMoved(int band);
  void StoreEqPreset(int k);
  // The four presets stored from the working record, as at start-up.
  void StoreAllPresets();
  void ShowEqPreset(int k);
  void ApplyEqEnable(int flag);
  // EQ-EN: flips the switch itself (state and picture), no register written.
  void ToggleEqEnable();
  // values: five codes and the enable, decimal or "0x" hexadecimal. A text
  // that is no number throws EConvertError, as a profile load expects.
  void LoadEqPresetFromValues(std::span<const std::string> values, int k, int current);
  // 1 no HID interface; 2 a register exchange failed.
  FeatureResult SetEqEnableRegister(int flag);
  // RESET. before_close runs while the HID interface is open, after the
  // registers (the 3D switch is re-sent there).
  void ResetEqualizer(const std::function<void()>& before_close = {});
  // 1 control byte unreadable; 2 blank control byte or data unreadable.
  FeatureResult ReadEqFromEeprom();
  void SyncEqFromEeprom();
  // Activation without the EEPROM equalizer: the default profile's enable.
  void ApplyDefaultEnable();
  void SetProfileSaving(bool saving) { profile_saving_ = saving; }
  // The flags a profile sets.
  void SetFromEeprom(int from_eeprom) { from_eeprom_ = from_eeprom; }
  void SetDefaultEnable(int enable) { default_enable_ = enable; }

  int Enabled() const { return enable_; }
  int CurrentPreset() const { return current_preset_; }
  int FromEeprom() const { return from_eeprom_; }
  // The 3D bit of the EEPROM bank read last; nullopt when the last read did
  // not get as far as the control byte.
  std::optional<int> EepromWants3D() const { return eeprom_wants_3d_; }
  const Record& Working() const { return record_; }
  Slot SlotBytes(int k) const;
  bool Flat() const { return flat_; }
  int SliderPosition(int k, int band) const;

 private:
  void StoreSlot(int k, const Slot& slot);
  void ShowAndApplyPreset(int n);
  void UpdateFlat();
  int WriteBands(RegisterSession& transaction);
  int ReadEeprom(std::uint8_t slave, std::uint8_t reg, std::uint8_t& value);
  SliderTravel Travel() const { return deps_.view.Travel(kFirstSliderTag); }

  FeatureDeps deps_;
  DefaultPresetSource default_presets_;
  std::array<std::uint8_t, kImageSize> image_{};
  Record record_;
  int enable_ = 0;
  int current_preset_ = 1;
  int from_eeprom_ = 0;
  int default_enable_ = 0;
  std::optional<int> eeprom_wants_3d_;
  bool flat_ = false;
  bool profile_saving_ = false;
  std::array<std::array<int, kBands>, kPresets> positions_{};
};

}  // namespace audio77
