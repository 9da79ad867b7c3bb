#include "features/Equalizer.h"

#include <algorithm>
#include <cstdio>

#include "device/ChipRegisters.h"
#include "settings/CommaList.h"
#include "settings/IntegerText.h"

namespace audio77 {
namespace {

constexpr std::uint8_t kDeviceIndex = 0;

// The EEPROM: the flag and bank selector at one address, the banks at another.
constexpr std::uint8_t kEepromSlave = 0x50;
constexpr std::uint8_t kBankSlave = 0x51;
constexpr std::uint8_t kPresentRegister = 0x8D;
constexpr std::uint8_t kBankRegister = 0x8E;
constexpr std::int32_t kI2cTimeout = 100;
constexpr std::uint32_t kEepromPauseMs = 10;
constexpr int kNoInterface = 1;
constexpr int kExchangeFailed = 2;

std::string Format(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool ValidPreset(int n) { return n >= 1 && n <= Equalizer::kPresets; }

}  // namespace

Equalizer::Equalizer(FeatureDeps deps) : deps_(deps) { image_.fill(0xFF); }

Equalizer::Slot Equalizer::SlotBytes(int k) const {
  Slot slot{};
  if (k < 0 || k >= kPresets) return slot;
  std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(kFirstSlot + kSlotSize * static_cast<std::size_t>(k)),
              kSlotSize, slot.begin());
  return slot;
}

void Equalizer::StoreSlot(int k, const Slot& slot) {
  std::copy(slot.begin(), slot.end(),
            image_.begin() + static_cast<std::ptrdiff_t>(kFirstSlot + kSlotSize * static_cast<std::size_t>(k)));
}

int Equalizer::SliderPosition(int k, int band) const {
  if (k < 0 || k >= kPresets || band < 0 || band >= kBands) return 0;
  return positions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(band)];
}

void Equalizer::InitEqualizer() {
  image_.fill(0xFF);
  record_ = Record{};
  for (int k = 0; k < kPresets; ++k) StoreSlot(k, EqualizerCodec::Pack(record_));
  const int half = Travel().length / 2;
  for (auto& preset : positions_) preset.fill(half);
  enable_ = 0;
  flat_ = false;
}

void Equalizer::Save(ProfileWriter& profile) {
  for (int n = 1; n <= kPresets; ++n) {
    const Record preset = EqualizerCodec::Unpack(SlotBytes(n - 1));
    std::string line;
    for (const std::uint16_t code : preset.codes) line += Format("0x%X,", code);
    profile.WriteText("EQ", "S" + std::to_string(n), line + std::to_string(enable_));
  }
  profile.WriteInt("EQ", "EQEN", enable_);
  profile.WriteInt("EQ", "EQFromEEPROM", from_eeprom_);
}

void Equalizer::Load(ProfileReader& profile) {
  from_eeprom_ = profile.ZeroWhenEmpty("EQ", "EQFromEEPROM");
  for (int n = 1; n <= kPresets; ++n) {
    std::array<std::string, kValueCount> values;
    SplitCommaList(profile.Text("EQ", "S" + std::to_string(n)), values);
    // A code beyond the knobs' travel would put a knob off its bar and send
    // a gain no knob can give: it is kept to the travel's ends.
    for (std::size_t band = 0; band < static_cast<std::size_t>(kBands); ++band) {
      const std::int32_t code = StrToInt(values[band]);
      values[band] = std::to_string(std::clamp<std::int32_t>(code, EqualizerCodec::kLowestCode, EqualizerCodec::kHighestCode));
    }
    values[kValueCount - 1] = StrToInt(values[kValueCount - 1]) != 0 ? "1" : "0";
    LoadEqPresetFromValues(values, n - 1, current_preset_ - 1);
  }
  enable_ = profile.ZeroWhenEmpty("EQ", "EQEN") != 0 ? 1 : 0;
  SetEqEnableRegister(enable_).Ignore("the library switch below follows the enable either way");
  ApplyEqEnable(enable_);
}

void Equalizer::UpdateFlat() { flat_ = EqualizerCodec::Flat(record_.codes); }

void Equalizer::StoreEqPreset(int k) {
  if (k < 0 || k >= kPresets) return;
  record_.marker = k == kPresets - 1 ? 1 : 0;
  StoreSlot(k, EqualizerCodec::Pack(record_));
}

void Equalizer::StoreAllPresets() {
  for (int k = 0; k < kPresets; ++k) StoreEqPreset(k);
}

void Equalizer::ShowEqPreset(int k) {
  if (k < 0 || k >= kPresets) return;
  const SliderTravel travel = Travel();
  const Record shown = EqualizerCodec::Unpack(SlotBytes(k));
  for (int band = 0; band < kBands; ++band) {
    const int tag = kFirstSliderTag + band;
    const std::uint16_t code = shown.codes[static_cast<std::size_t>(band)];
    const int position = EqualizerCodec::OffsetFromCode(code, travel.length);
    positions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(band)] = position;
    const int top = position + travel.top;
    deps_.view.SetKnobTop(tag, top);
    // The fill runs from the knob down to the bottom of the bar.
    const int fill_tag = kFirstFillTag + band;
    deps_.view.SetFillHeight(fill_tag, top + deps_.view.KnobHeight(tag) - deps_.view.FillTop(fill_tag));
    deps_.view.SetValueLabel(tag, Format("%x", code));
  }
  if (deps_.device.Active()) deps_.view.ShowSwitch(kEnableTag, enable_);
}

int Equalizer::WriteBands(RegisterSession& transaction) {
  for (const RegisterWrite& write : EqualizerCodec::WritesOf(record_)) {
    if (const int step = transaction.Write(write.address, write.value); step != 0) return step;
  }
  return 0;
}

FeatureResult Equalizer::UnpackPreset(int n) {
  if (!ValidPreset(n)) return FeatureResult::Done();
  record_ = EqualizerCodec::Unpack(SlotBytes(n - 1));
  UpdateFlat();
  // A flat preset writes nothing: ApplyEqEnable switches the equalizer off.
  if (flat_) return FeatureResult::Done();
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  // Without register synchronisation, or while a profile is saved, the
  // registers stay as they are; the transaction ends without its closing report.
  if (!deps_.device.RegisterSync() || profile_saving_) return FeatureResult::FromStep(transaction.Abandon());
  if (WriteBands(transaction) != 0) {
    // A failed write ends the exchange at once.
    transaction.Abandon();
    return FeatureResult::Failed(kExchangeFailed);
  }
  return transaction.Commit() == 0 ? FeatureResult::Done() : FeatureResult::Failed(kExchangeFailed);
}

void Equalizer::ShowAndApplyPreset(int n) {
  ShowEqPreset(n - 1);
  ApplyEqEnable(enable_);
}

void Equalizer::SelectEqPreset(int n) {
  if (!ValidPreset(n)) return;
  current_preset_ = n;
  UnpackPreset(n).Ignore("the preset is shown and kept whether or not the device took it");
  ShowAndApplyPreset(n);
}

FeatureResult Equalizer::SetEqBandFromSlider(int band, bool write) {
  if (band < 0 || band >= kBands) return FeatureResult::Failed(kNoInterface);
  const SliderTravel travel = Travel();
  const int offset = deps_.view.KnobTop(kFirstSliderTag + band) - travel.top;
  const std::uint16_t code = EqualizerCodec::CodeFromOffset(offset, travel.length);
  record_.codes[static_cast<std::size_t>(band)] = code;
  UpdateFlat();
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  if (write) {
    ApplyEqEnable(enable_);
    const RegisterWrite low = EqualizerCodec::LowWrite(band, code);
    std::uint8_t device_high = 0;
    const bool failed = transaction.Write(low.address, low.value) != 0 ||
                        (band == kBands - 1 && transaction.Read(chip::kEqBand4High, device_high) != 0);
    if (failed) {
      transaction.Abandon();
      return FeatureResult::Failed(kExchangeFailed);
    }
    const RegisterWrite high = EqualizerCodec::HighWrite(band, code, device_high);
    if (transaction.Write(high.address, high.value) != 0) {
      transaction.Abandon();
      return FeatureResult::Failed(kExchangeFailed);
    }
  }
  return transaction.Commit() == 0 ? FeatureResult::Done() : FeatureResult::Failed(kExchangeFailed);
}

void Equalizer::SliderMoved(int band) {
  if (band < 0 || band >= kBands || !ValidPreset(current_preset_)) return;
  SetEqBandFromSlider(band, deps_.device.RegisterSync())
      .Ignore("the knob and the preset follow the hand whether or not the device took the gain");
  const int k = current_preset_ - 1;
  positions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(band)] =
      deps_.view.KnobTop(kFirstSliderTag + band) - Travel().top;
  StoreEqPreset(k);
  ShowEqPreset(k);
}

void Equalizer::ApplyEqEnable(int flag) {
  if (!deps_.device.Active()) return;
  DeviceLibrary& library = deps_.library;
  // The switch is read back below; what the configuration call gives adds nothing.
  library.ConfigEQ_ById(kDeviceIndex);
  if (flat_) {
    // A flat equalizer is switched off; nothing depends on the answer.
    library.SetEQ_OnOff_ById(0, kDeviceIndex);
    return;
  }
  library.SetEQ_OnOff_ById(flag, kDeviceIndex);
  // A failed read leaves "off", which makes a wanted "on" go out once more.
  std::int32_t state = 0;
  library.IsEQ_Enable_ById(state, kDeviceIndex);
  if (state != flag) library.SetEQ_OnOff_ById(flag, kDeviceIndex);
}

void Equalizer::ToggleEqEnable() {
  enable_ = enable_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(kEnableTag, enable_);
  StoreEqPreset(current_preset_ - 1);
  ApplyEqEnable(enable_);
}

void Equalizer::LoadEqPresetFromValues(std::span<const std::string> values, int k, int current) {
  if (values.size() < kValueCount || k < 0 || k >= kPresets) return;
  // Parse everything first, so a bad text changes nothing.
  std::array<std::int32_t, kValueCount> numbers{};
  for (std::size_t i = 0; i < kValueCount; ++i) numbers[i] = StrToInt(values[i]);
  for (int band = 0; band < kBands; ++band) {
    record_.codes[static_cast<std::size_t>(band)] = static_cast<std::uint16_t>(numbers[static_cast<std::size_t>(band)]);
  }
  StoreEqPreset(k);
  enable_ = numbers[kValueCount - 1];
  for (const int n : {k + 1, current + 1}) {
    if (!ValidPreset(n)) continue;
    UnpackPreset(n).Ignore("a loaded preset is kept whether or not the device took it");
    ShowAndApplyPreset(n);
  }
}

FeatureResult Equalizer::SetEqEnableRegister(int flag) {
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  if (transaction.SetBits(chip::kEffectEnable, chip::kEqEnableBit, flag == 1) != 0 ||
      (flag == 1 && WriteBands(transaction) != 0)) {
    transaction.Abandon();
    return FeatureResult::Failed(kExchangeFailed);
  }
  return transaction.Commit() == 0 ? FeatureResult::Done() : FeatureResult::Failed(kExchangeFailed);
}

void Equalizer::ResetEqualizer(const std::function<void()>& before_close) {
  const int current = current_preset_;
  if (default_presets_) {
    if (ValidPreset(current)) {
      std::array<std::string, kValueCount> values;
      SplitCommaList(default_presets_(current), values);
      // A missing file, key or item (or one that is no number) takes the
      // built-in value: flat codes, the enable as it is.
      for (std::size_t i = 0; i < kValueCount; ++i) {
        if (TryStrToInt(values[i])) continue;
        values[i] = i + 1 < kValueCount ? std::to_string(kFlatCode) : std::to_string(enable_);
      }
      LoadEqPresetFromValues(values, current - 1, current - 1);
    }
  } else {
    record_ = Record{};
  }
  if (!ValidPreset(current)) return;
  // The marker is the record's own here, not the slot's.
  StoreSlot(current - 1, EqualizerCodec::Pack(record_));
  ShowEqPreset(current - 1);
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return;
  if (deps_.device.RegisterSync()) {
    for (int band = 0; band < kBands; ++band) {
      SetEqBandFromSlider(band, true).Ignore("the full write below sends every band again");
    }
    WriteBands(transaction);
  }
  if (before_close) before_close();
  // The reset's own exchange ends without a closing report: each band's
  // write above has already sent one.
  transaction.Abandon();
}

int Equalizer::ReadEeprom(std::uint8_t slave, std::uint8_t reg, std::uint8_t& value) {
  value = 0;
  const int result = deps_.library.Read_I2C_ById(slave, reg, &value, 1, kI2cTimeout, kDeviceIndex);
  // Whatever a failed read left in the byte is not a value.
  if (result != 0) value = 0;
  return result;
}

FeatureResult Equalizer::ReadEqFromEeprom() {
  flat_ = false;
  eeprom_wants_3d_.reset();
  // A flag or selector that stays unreadable after the retry reads as 0.
  std::uint8_t present = 0;
  if (ReadEeprom(kEepromSlave, kPresentRegister, present) != 0) ReadEeprom(kEepromSlave, kPresentRegister, present);
  std::uint8_t selector = 0;
  if (ReadEeprom(kEepromSlave, kBankRegister, selector) != 0) ReadEeprom(kEepromSlave, kBankRegister, selector);
  const int bank = EqualizerCodec::BankOfSelector(selector);
  const auto bank_register = [bank](int byte) { return static_cast<std::uint8_t>(16 * bank + byte); };
  std::uint8_t control_byte = 0;
  if (ReadEeprom(kBankSlave, bank_register(7), control_byte) != 0) return FeatureResult::Failed(1);
  const EqualizerCodec::Control control = EqualizerCodec::ControlOf(control_byte);
  if (control.blank) {
    // An erased bank: the device's equalizer goes off.
    flat_ = true;
    return FeatureResult::Failed(2);
  }
  enable_ = control.eq_enable;
  eeprom_wants_3d_ = control.wants_3d;
  EqualizerCodec::Codes codes{kFlatCode, kFlatCode, kFlatCode, kFlatCode, kFlatCode};
  if ((present & 1) != 0) {
    std::array<std::uint8_t, EqualizerCodec::kEepromBankBytes> bytes{};
    for (int i = 0; i < EqualizerCodec::kEepromBankBytes; ++i) {
      if (ReadEeprom(kBankSlave, bank_register(i), bytes[static_cast<std::size_t>(i)]) != 0) {
        return FeatureResult::Failed(2);
      }
      deps_.clock.Sleep(kEepromPauseMs);
    }
    codes = EqualizerCodec::CodesOfBank(bytes);
  }
  std::array<std::string, kValueCount> values;
  for (int band = 0; band < kBands; ++band) values[static_cast<std::size_t>(band)] = Format("0x%X", codes[static_cast<std::size_t>(band)]);
  values[kValueCount - 1] = Format("%d", enable_);
  LoadEqPresetFromValues(values, 0, current_preset_ - 1);
  flat_ = EqualizerCodec::Flat(codes);
  return FeatureResult::Done();
}

void Equalizer::SyncEqFromEeprom() {
  // Only the read's second try matters to the device; its answer is not used.
  std::int32_t state = 0;
  if (deps_.library.IsEQ_Enable_ById(state, kDeviceIndex) != 0) deps_.library.IsEQ_Enable_ById(state, kDeviceIndex);
  ReadEqFromEeprom().Ignore("a bank that cannot be read leaves the presets as they are");
  ApplyEqEnable(enable_);
}

void Equalizer::ApplyDefaultEnable() {
  if (default_enable_ == 1) {
    enable_ = 1;
    ApplyEqEnable(1);
  }
}

void Equalizer::OnRemoved() {
  enable_ = 0;
  deps_.view.ShowSwitch(kEnableTag, 0);
}

void Equalizer::Describe(ui::SkinViewState& view) const {
  view.eq_enabled = enable_ != 0;
  view.eq_preset = current_preset_;
}

}  // namespace audio77
