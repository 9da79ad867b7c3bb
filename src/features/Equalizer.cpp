#include "features/Equalizer.h"

#include <algorithm>
#include <cstdio>

#include "settings/CommaList.h"
#include "settings/IntegerText.h"
#include "settings/PrivateProfile.h"

namespace audio77 {
namespace {

constexpr std::uint8_t kDeviceIndex = 0;
constexpr std::uint16_t kFirstBandRegister = 0x120;
constexpr std::uint16_t kBand4HighRegister = 0x129;
constexpr std::uint16_t kEffectEnableRegister = 0x100;
constexpr std::uint8_t kEqEnableBit = 0x04;
constexpr int kTopCodeOfHalfTravel = 1536;

// The EEPROM: the flag and bank selector at one address, the banks at another.
constexpr std::uint8_t kEepromSlave = 0x50;
constexpr std::uint8_t kBankSlave = 0x51;
constexpr std::uint8_t kPresentRegister = 0x8D;
constexpr std::uint8_t kBankRegister = 0x8E;
constexpr std::uint8_t kFirstBankSelector = 0x10;
constexpr int kBankCount = 4;
constexpr int kBankDataBytes = 8;
constexpr std::int32_t kI2cTimeout = 100;
constexpr std::uint32_t kEepromPauseMs = 10;

std::uint16_t LowRegister(int band) { return static_cast<std::uint16_t>(kFirstBandRegister + 2 * band); }
std::uint16_t HighRegister(int band) { return static_cast<std::uint16_t>(kFirstBandRegister + 2 * band + 1); }
std::uint8_t LowByte(std::uint16_t code) { return static_cast<std::uint8_t>(code & 0xFF); }
std::uint8_t HighNibble(std::uint16_t code) { return static_cast<std::uint8_t>((code >> 8) & 0x0F); }

std::string Format(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool ValidPreset(int n) { return n >= 1 && n <= Equalizer::kPresets; }

}  // namespace

Equalizer::Equalizer(FeatureContext context, FeatureView& view) : context_(context), view_(view) {
  image_.fill(0xFF);
}

Equalizer::Slot Equalizer::Pack(const Record& r) {
  const auto& c = r.codes;
  Slot s{};
  s[0] = LowByte(c[0]);
  s[1] = static_cast<std::uint8_t>(HighNibble(c[0]) | (c[1] & 0x0F) << 4);
  s[2] = static_cast<std::uint8_t>((c[1] >> 4) & 0xFF);
  s[3] = LowByte(c[2]);
  s[4] = static_cast<std::uint8_t>(HighNibble(c[2]) | (c[3] & 0x0F) << 4);
  s[5] = static_cast<std::uint8_t>((c[3] >> 4) & 0xFF);
  s[6] = LowByte(c[4]);
  s[7] = static_cast<std::uint8_t>(HighNibble(c[4]) | (r.flags[0] & 1) << 4 | (r.flags[1] & 1) << 5 |
                                   (r.flags[2] & 1) << 6 | (r.flags[3] & 1) << 7);
  s[14] = r.auxiliary;
  s[15] = static_cast<std::uint8_t>((r.auxiliary & 0x7F) | (r.marker & 1) << 7);
  return s;
}

Equalizer::Record Equalizer::Unpack(const Slot& s) {
  Record r;
  r.codes[0] = static_cast<std::uint16_t>(s[0] | (s[1] & 0x0F) << 8);
  r.codes[1] = static_cast<std::uint16_t>(s[1] >> 4 | s[2] << 4);
  r.codes[2] = static_cast<std::uint16_t>(s[3] | (s[4] & 0x0F) << 8);
  r.codes[3] = static_cast<std::uint16_t>(s[4] >> 4 | s[5] << 4);
  r.codes[4] = static_cast<std::uint16_t>(s[6] | (s[7] & 0x0F) << 8);
  for (int bit = 0; bit < 4; ++bit) r.flags[bit] = static_cast<std::uint8_t>((s[7] >> (4 + bit)) & 1);
  r.auxiliary = s[14];
  r.marker = static_cast<std::uint8_t>(s[15] >> 7);
  return r;
}

std::uint16_t Equalizer::CodeFromOffset(int offset, int travel) {
  // A skin without travel cannot place a knob: the lowest code, no division.
  if (travel <= 0) return kLowestCode;
  // A knob outside its travel counts as standing at its nearer end.
  offset = std::clamp(offset, 0, travel);
  const int s = kTopCodeOfHalfTravel - offset * 1024 / travel;
  // The upper half runs three codes per step, so 1025 never comes from a slider.
  const int code = s > kFlatCode ? 3 * s - 2049 : s;
  return static_cast<std::uint16_t>(code);
}

int Equalizer::OffsetFromCode(std::uint16_t code, int travel) {
  const int d = code <= kFlatCode ? code : (code - 1023) / 3 + kFlatCode;
  return travel - (d - kLowestCode) * travel / 1024;
}

Equalizer::Slot Equalizer::SlotBytes(int k) const {
  Slot slot{};
  if (k < 0 || k >= kPresets) return slot;
  std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(kFirstSlot + kSlotSize * static_cast<std::size_t>(k)),
              kSlotSize, slot.begin());
  return slot;
}

int Equalizer::SliderPosition(int k, int band) const {
  if (k < 0 || k >= kPresets || band < 0 || band >= kBands) return 0;
  return positions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(band)];
}

void Equalizer::InitEqualizer() {
  image_.fill(0xFF);
  record_ = Record{};
  for (int k = 0; k < kPresets; ++k) {
    const Slot slot = Pack(record_);
    std::copy(slot.begin(), slot.end(),
              image_.begin() + static_cast<std::ptrdiff_t>(kFirstSlot + kSlotSize * static_cast<std::size_t>(k)));
  }
  const int half = view_.EqTravel().length / 2;
  for (auto& preset : positions_) preset.fill(half);
  context_.state.eq_enable = 0;
  flat_ = false;
}

void Equalizer::UpdateFlat() {
  flat_ = std::all_of(record_.codes.begin(), record_.codes.end(), [](std::uint16_t c) { return c == kFlatCode; });
}

void Equalizer::StoreEqPreset(int k) {
  if (k < 0 || k >= kPresets) return;
  record_.marker = k == kPresets - 1 ? 1 : 0;
  const Slot slot = Pack(record_);
  std::copy(slot.begin(), slot.end(),
            image_.begin() + static_cast<std::ptrdiff_t>(kFirstSlot + kSlotSize * static_cast<std::size_t>(k)));
}

void Equalizer::UnpackSlot(int k) { record_ = Unpack(SlotBytes(k)); }

void Equalizer::ShowEqPreset(int k) {
  if (k < 0 || k >= kPresets) return;
  const SliderTravel travel = view_.EqTravel();
  const Record shown = Unpack(SlotBytes(k));
  for (int band = 0; band < kBands; ++band) {
    const int tag = kFirstSliderTag + band;
    const std::uint16_t code = shown.codes[static_cast<std::size_t>(band)];
    const int position = OffsetFromCode(code, travel.length);
    positions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(band)] = position;
    const int top = position + travel.top;
    view_.SetKnobTop(tag, top);
    // The fill runs from the knob down to the bottom of the bar.
    const int fill_tag = kFirstFillTag + band;
    view_.SetFillHeight(fill_tag, top + view_.KnobHeight(tag) - view_.FillTop(fill_tag));
    view_.SetValueLabel(tag, Format("%x", code));
  }
  if (context_.session.Active()) view_.ShowSwitch(kEnableTag, EqEnable());
}

int Equalizer::WriteEqRegisters(HidHandle* handle) {
  for (int band = 0; band < kBands; ++band) {
    const std::uint16_t code = record_.codes[static_cast<std::size_t>(band)];
    std::uint8_t high = HighNibble(code);
    if (band == kBands - 1) {
      for (int bit = 0; bit < 4; ++bit) high = static_cast<std::uint8_t>(high | (record_.flags[bit] & 1) << (4 + bit));
    }
    if (int r = HidTransport::RegisterWrite(handle, LowRegister(band), LowByte(code)); r != 0) return r;
    if (int r = HidTransport::RegisterWrite(handle, HighRegister(band), high); r != 0) return r;
  }
  return 0;
}

void Equalizer::UnpackPreset(int n) {
  if (!ValidPreset(n)) return;
  UnpackSlot(n - 1);
  UpdateFlat();
  // A flat preset writes nothing: ApplyEqEnable switches the equalizer off.
  if (flat_) return;
  auto handle = context_.session.OpenHid();
  if (!handle || !context_.session.RegisterSync() || profile_saving_) return;
  if (WriteEqRegisters(handle.get()) != 0) return;
  HidTransport::SendClosingReport(handle.get());
}

void Equalizer::ShowAndApplyPreset(int n) {
  ShowEqPreset(n - 1);
  ApplyEqEnable(EqEnable());
}

void Equalizer::SelectEqPreset(int n) {
  if (!ValidPreset(n)) return;
  context_.state.current_eq_preset = n;
  UnpackPreset(n);
  ShowAndApplyPreset(n);
}

int Equalizer::SetEqBandFromSlider(int band, bool write) {
  if (band < 0 || band >= kBands) return 1;
  const SliderTravel travel = view_.EqTravel();
  const int offset = view_.KnobTop(kFirstSliderTag + band) - travel.top;
  const std::uint16_t code = CodeFromOffset(offset, travel.length);
  record_.codes[static_cast<std::size_t>(band)] = code;
  UpdateFlat();
  auto handle = context_.session.OpenHid();
  if (!handle) return 1;
  if (write) {
    ApplyEqEnable(EqEnable());
    if (HidTransport::RegisterWrite(handle.get(), LowRegister(band), LowByte(code)) != 0) return 2;
    std::uint8_t high = HighNibble(code);
    if (band == kBands - 1) {
      // The device's own bits 4..7 of band 4's high register stay as they are.
      std::uint8_t device = 0;
      if (HidTransport::RegisterRead(handle.get(), kBand4HighRegister, device) != 0) return 2;
      high = static_cast<std::uint8_t>((device & 0xF0) | high);
    }
    if (HidTransport::RegisterWrite(handle.get(), HighRegister(band), high) != 0) return 2;
  }
  HidTransport::SendClosingReport(handle.get());
  return 0;
}

void Equalizer::SliderMoved(int band) {
  if (band < 0 || band >= kBands || !ValidPreset(CurrentPreset())) return;
  SetEqBandFromSlider(band, context_.session.RegisterSync());
  const SliderTravel travel = view_.EqTravel();
  const int k = CurrentPreset() - 1;
  positions_[static_cast<std::size_t>(k)][static_cast<std::size_t>(band)] =
      view_.KnobTop(kFirstSliderTag + band) - travel.top;
  StoreEqPreset(k);
  ShowEqPreset(k);
}

void Equalizer::ApplyEqEnable(int flag) {
  if (!context_.session.Active()) return;
  DeviceLibrary& library = context_.library;
  library.ConfigEQ_ById(kDeviceIndex);
  if (flat_) {
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
  context_.state.eq_enable = EqEnable() == 0 ? 1 : 0;
  view_.ShowSwitch(kEnableTag, EqEnable());
  StoreEqPreset(CurrentPreset() - 1);
  ApplyEqEnable(EqEnable());
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
  context_.state.eq_enable = numbers[kValueCount - 1];
  for (const int n : {k + 1, current + 1}) {
    if (!ValidPreset(n)) continue;
    UnpackPreset(n);
    ShowAndApplyPreset(n);
  }
}

void Equalizer::SetEqEnableRegister(int flag) {
  auto handle = context_.session.OpenHid();
  if (!handle) return;
  std::uint8_t value = 0;
  if (HidTransport::RegisterRead(handle.get(), kEffectEnableRegister, value) != 0) return;
  value = static_cast<std::uint8_t>(flag == 1 ? value | kEqEnableBit : value & ~kEqEnableBit);
  if (HidTransport::RegisterWrite(handle.get(), kEffectEnableRegister, value) != 0) return;
  if (flag == 1 && WriteEqRegisters(handle.get()) != 0) return;
  HidTransport::SendClosingReport(handle.get());
}

void Equalizer::ResetEqualizer(const std::function<void()>& before_close) {
  const int current = CurrentPreset();
  if (context_.state.default_ini != 0) {
    if (ValidPreset(current)) {
      const std::string path =
          context_.platform.folders.AppData() + context_.state.user_folder_name + "/DefaultProfile.ini";
      std::string text;
      ReadIniValue(context_.profiles, path, "EQ", "S" + std::to_string(current), text);
      std::array<std::string, kValueCount> values;
      SplitCommaList(text, values);
      // A missing file, key or item (or one that is no number) takes the
      // built-in value: flat codes, the enable as it is.
      for (std::size_t i = 0; i < kValueCount; ++i) {
        if (TryStrToInt(values[i])) continue;
        values[i] = i + 1 < kValueCount ? std::to_string(kFlatCode) : std::to_string(EqEnable());
      }
      LoadEqPresetFromValues(values, current - 1, current - 1);
    }
  } else {
    record_ = Record{};
  }
  if (!ValidPreset(current)) return;
  // The marker is the record's own here, not the slot's.
  const Slot slot = Pack(record_);
  std::copy(slot.begin(), slot.end(),
            image_.begin() + static_cast<std::ptrdiff_t>(kFirstSlot + kSlotSize * static_cast<std::size_t>(current - 1)));
  ShowEqPreset(current - 1);
  auto handle = context_.session.OpenHid();
  if (!handle) return;
  if (context_.session.RegisterSync()) {
    for (int band = 0; band < kBands; ++band) SetEqBandFromSlider(band, true);
    WriteEqRegisters(handle.get());
  }
  if (before_close) before_close();
}

int Equalizer::ReadEeprom(std::uint8_t slave, std::uint8_t reg, std::uint8_t& value) {
  value = 0;
  const int result = context_.library.Read_I2C_ById(slave, reg, &value, 1, kI2cTimeout, kDeviceIndex);
  // Whatever a failed read left in the byte is not a value.
  if (result != 0) value = 0;
  return result;
}

int Equalizer::ReadEqFromEeprom() {
  flat_ = false;
  std::uint8_t present = 0;
  if (ReadEeprom(kEepromSlave, kPresentRegister, present) != 0) ReadEeprom(kEepromSlave, kPresentRegister, present);
  std::uint8_t selector = 0;
  if (ReadEeprom(kEepromSlave, kBankRegister, selector) != 0) ReadEeprom(kEepromSlave, kBankRegister, selector);
  const int bank = selector >= kFirstBankSelector && selector < kFirstBankSelector + kBankCount
                       ? selector - kFirstBankSelector
                       : 0;
  const auto bank_register = [bank](int byte) { return static_cast<std::uint8_t>(16 * bank + byte); };
  std::uint8_t control = 0;
  if (ReadEeprom(kBankSlave, bank_register(7), control) != 0) return 1;
  if (control == 0x00 || control == 0xFF) {
    // An erased bank: the device's equalizer goes off.
    flat_ = true;
    return 2;
  }
  context_.state.eq_enable = (control & 0x80) == 0 ? 1 : 0;
  context_.state.d3_from_eeprom = (control >> 4) & 1;
  std::array<std::uint16_t, kBands> codes{kFlatCode, kFlatCode, kFlatCode, kFlatCode, kFlatCode};
  if ((present & 1) != 0) {
    std::array<std::uint8_t, kBankDataBytes> b{};
    for (int i = 0; i < kBankDataBytes; ++i) {
      if (ReadEeprom(kBankSlave, bank_register(i), b[static_cast<std::size_t>(i)]) != 0) return 2;
      context_.platform.clock.Sleep(kEepromPauseMs);
    }
    const std::array<int, kBands> stored{b[0] | (b[1] & 0x0F) << 8, b[1] >> 4 | b[2] << 4, b[3] | (b[4] & 0x0F) << 8,
                                         b[4] >> 4 | b[5] << 4, b[6] | (b[7] & 0x0F) << 8};
    // Stored codes span 0..4095; the equalizer's span 512..2559.
    for (int band = 0; band < kBands; ++band) {
      codes[static_cast<std::size_t>(band)] = static_cast<std::uint16_t>((stored[static_cast<std::size_t>(band)] + 1024) / 2);
    }
  }
  std::array<std::string, kValueCount> values;
  for (int band = 0; band < kBands; ++band) values[static_cast<std::size_t>(band)] = Format("0x%X", codes[static_cast<std::size_t>(band)]);
  values[kValueCount - 1] = Format("%d", EqEnable());
  LoadEqPresetFromValues(values, 0, CurrentPreset() - 1);
  flat_ = std::all_of(codes.begin(), codes.end(), [](std::uint16_t c) { return c == kFlatCode; });
  return 0;
}

void Equalizer::SyncEqFromEeprom() {
  std::int32_t state = 0;
  if (context_.library.IsEQ_Enable_ById(state, kDeviceIndex) != 0) context_.library.IsEQ_Enable_ById(state, kDeviceIndex);
  ReadEqFromEeprom();
  ApplyEqEnable(EqEnable());
}

void Equalizer::DeviceRemoved() {
  context_.state.eq_enable = 0;
  view_.ShowSwitch(kEnableTag, 0);
}

}  // namespace audio77
