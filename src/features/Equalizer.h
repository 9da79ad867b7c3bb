#pragma once
// The five-band equalizer: four presets S1..S4 kept packed in the window's
// configuration image, the working record that is shown and sent, the EQ-EN
// switch, RESET and the equalizer stored in the device's EEPROM. Band gains
// travel as 12-bit codes in two chip registers per band; the on/off switch
// goes through the device library. The enable, the current preset and the
// EEPROM flags live in the window's shared state, because start-up,
// activation and shutdown read them too.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "device/HidTransport.h"
#include "ui/FeatureContext.h"
#include "ui/FeatureView.h"

namespace audio77 {

class Equalizer {
 public:
  static constexpr int kBands = 5;
  static constexpr int kPresets = 4;
  static constexpr std::uint16_t kFlatCode = 0x400;
  static constexpr std::uint16_t kLowestCode = 0x200;
  static constexpr std::uint16_t kHighestCode = 0x9FF;
  static constexpr std::size_t kImageSize = 2048;
  static constexpr std::size_t kSlotSize = 16;
  static constexpr std::size_t kFirstSlot = 0x100;
  static constexpr int kFirstSliderTag = 29;
  static constexpr int kFirstFillTag = 229;
  static constexpr int kEnableTag = 7;
  // The six texts of a preset: five codes and the enable.
  static constexpr std::size_t kValueCount = 6;

  struct Record {
    std::array<std::uint16_t, kBands> codes{kFlatCode, kFlatCode, kFlatCode, kFlatCode, kFlatCode};
    // Bits 4, 5, 6 and 7 of band 4's high register, in that order (0xE0
    // together); never changed.
    std::array<std::uint8_t, 4> flags{0, 1, 1, 1};
    std::uint8_t auxiliary = 0;
    std::uint8_t marker = 1;
    bool operator==(const Record&) const = default;
  };
  using Slot = std::array<std::uint8_t, kSlotSize>;

  Equalizer(FeatureContext context, FeatureView& view);

  void InitEqualizer();
  // n = 1..4; other values change nothing.
  void SelectEqPreset(int n);
  // Steps of a preset selection without the display: the record from slot
  // n - 1, the flat check, and the registers unless a profile is being saved.
  void UnpackPreset(int n);
  // 0 done; 1 no HID interface; 2 a register exchange failed.
  int SetEqBandFromSlider(int band, bool write);
  // The slider mechanics after a knob of the current preset moved.
  void SliderMoved(int band);
  void StoreEqPreset(int k);
  void ShowEqPreset(int k);
  void ApplyEqEnable(int flag);
  // EQ-EN: flips the switch itself (state and picture), no register written.
  void ToggleEqEnable();
  // values: five codes and the enable, decimal or "0x" hexadecimal. A text
  // that is no number throws EConvertError, as a profile load expects.
  void LoadEqPresetFromValues(std::span<const std::string> values, int k, int current);
  int WriteEqRegisters(HidHandle* handle);
  void SetEqEnableRegister(int flag);
  // RESET. before_close runs while the HID interface is open, after the
  // registers (the controller re-sends the 3D switch there).
  void ResetEqualizer(const std::function<void()>& before_close = {});
  // 0 done; 1 control byte unreadable; 2 blank control byte or data unreadable.
  int ReadEqFromEeprom();
  void SyncEqFromEeprom();
  // The device left: the switch shows off, nothing is sent.
  void DeviceRemoved();
  void SetProfileSaving(bool saving) { profile_saving_ = saving; }

  const Record& Working() const { return record_; }
  Slot SlotBytes(int k) const;
  bool Flat() const { return flat_; }
  int SliderPosition(int k, int band) const;

  static Slot Pack(const Record& record);
  static Record Unpack(const Slot& slot);
  // The slider's offset from the top of its travel to a gain code.
  static std::uint16_t CodeFromOffset(int offset, int travel);
  // A gain code to the offset of its slider from the top of the travel.
  static int OffsetFromCode(std::uint16_t code, int travel);

 private:
  void UnpackSlot(int k);
  void ShowAndApplyPreset(int n);
  void UpdateFlat();
  int EqEnable() const { return context_.state.eq_enable; }
  int CurrentPreset() const { return context_.state.current_eq_preset; }
  int ReadEeprom(std::uint8_t slave, std::uint8_t reg, std::uint8_t& value);

  FeatureContext context_;
  FeatureView& view_;
  std::array<std::uint8_t, kImageSize> image_{};
  Record record_;
  bool flat_ = false;
  bool profile_saving_ = false;
  std::array<std::array<int, kBands>, kPresets> positions_{};
};

}  // namespace audio77
