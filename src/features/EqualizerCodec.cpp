#include "features/EqualizerCodec.h"

#include <algorithm>

#include "device/ChipRegisters.h"

namespace audio77 {
namespace {

constexpr int kTopCodeOfHalfTravel = 1536;
constexpr std::uint8_t kFirstBankSelector = 0x10;
constexpr int kBankCount = 4;

std::uint16_t LowRegister(int band) { return static_cast<std::uint16_t>(chip::kFirstEqBand + 2 * band); }
std::uint16_t HighRegister(int band) { return static_cast<std::uint16_t>(chip::kFirstEqBand + 2 * band + 1); }
std::uint8_t LowByte(std::uint16_t code) { return static_cast<std::uint8_t>(code & 0xFF); }
std::uint8_t HighNibble(std::uint16_t code) { return static_cast<std::uint8_t>((code >> 8) & 0x0F); }

}  // namespace

EqualizerCodec::Slot EqualizerCodec::Pack(const Record& r) {
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

EqualizerCodec::Record EqualizerCodec::Unpack(const Slot& s) {
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

bool EqualizerCodec::Flat(const Codes& codes) {
  return std::all_of(codes.begin(), codes.end(), [](std::uint16_t c) { return c == kFlatCode; });
}

std::uint16_t EqualizerCodec::CodeFromOffset(int offset, int travel) {
  // A skin without travel cannot place a knob: the lowest code, no division.
  if (travel <= 0) return kLowestCode;
  // A knob outside its travel counts as standing at its nearer end.
  offset = std::clamp(offset, 0, travel);
  const int s = kTopCodeOfHalfTravel - offset * 1024 / travel;
  // The upper half runs three codes per step, so 1025 never comes from a slider.
  const int code = s > kFlatCode ? 3 * s - 2049 : s;
  return static_cast<std::uint16_t>(code);
}

int EqualizerCodec::OffsetFromCode(std::uint16_t code, int travel) {
  const int d = code <= kFlatCode ? code : (code - 1023) / 3 + kFlatCode;
  return travel - (d - kLowestCode) * travel / 1024;
}

EqualizerCodec::BandWrites EqualizerCodec::WritesOf(const Record& record) {
  BandWrites writes{};
  for (int band = 0; band < kBands; ++band) {
    const std::uint16_t code = record.codes[static_cast<std::size_t>(band)];
    std::uint8_t high = HighNibble(code);
    if (band == kBands - 1) {
      for (int bit = 0; bit < 4; ++bit) high = static_cast<std::uint8_t>(high | (record.flags[bit] & 1) << (4 + bit));
    }
    writes[static_cast<std::size_t>(2 * band)] = {LowRegister(band), LowByte(code)};
    writes[static_cast<std::size_t>(2 * band + 1)] = {HighRegister(band), high};
  }
  return writes;
}

RegisterWrite EqualizerCodec::LowWrite(int band, std::uint16_t code) { return {LowRegister(band), LowByte(code)}; }

RegisterWrite EqualizerCodec::HighWrite(int band, std::uint16_t code, std::uint8_t device_band4_high) {
  std::uint8_t high = HighNibble(code);
  if (band == kBands - 1) high = static_cast<std::uint8_t>((device_band4_high & 0xF0) | high);
  return {HighRegister(band), high};
}

int EqualizerCodec::BankOfSelector(std::uint8_t selector) {
  return selector >= kFirstBankSelector && selector < kFirstBankSelector + kBankCount ? selector - kFirstBankSelector
                                                                                      : 0;
}

EqualizerCodec::Control EqualizerCodec::ControlOf(std::uint8_t control) {
  Control decoded;
  decoded.blank = control == 0x00 || control == 0xFF;
  decoded.eq_enable = (control & 0x80) == 0 ? 1 : 0;
  decoded.wants_3d = (control >> 4) & 1;
  return decoded;
}

EqualizerCodec::Codes EqualizerCodec::CodesOfBank(const std::array<std::uint8_t, kEepromBankBytes>& b) {
  const std::array<int, kBands> stored{b[0] | (b[1] & 0x0F) << 8, b[1] >> 4 | b[2] << 4, b[3] | (b[4] & 0x0F) << 8,
                                       b[4] >> 4 | b[5] << 4, b[6] | (b[7] & 0x0F) << 8};
  Codes codes{};
  for (int band = 0; band < kBands; ++band) {
    codes[static_cast<std::size_t>(band)] = static_cast<std::uint16_t>((stored[static_cast<std::size_t>(band)] + 1024) / 2);
  }
  return codes;
}

}  // namespace audio77
