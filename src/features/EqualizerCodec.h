#pragma once
// The equalizer's arithmetic, free of any device: gain codes from slider
// positions and back, the 16-byte preset slot of the configuration image, the
// chip-register writes of a record and the EEPROM bank's bytes. Every function
// is pure, so each is tested byte for byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "features/RegisterWrite.h"

namespace audio77 {

class EqualizerCodec {
 public:
  static constexpr int kBands = 5;
  static constexpr std::uint16_t kFlatCode = 0x400;
  static constexpr std::uint16_t kLowestCode = 0x200;
  static constexpr std::uint16_t kHighestCode = 0x9FF;
  static constexpr std::size_t kSlotSize = 16;
  static constexpr int kEepromBankBytes = 8;

  using Codes = std::array<std::uint16_t, kBands>;

  struct Record {
    Codes codes{kFlatCode, kFlatCode, kFlatCode, kFlatCode, kFlatCode};
    // Bits 4, 5, 6 and 7 of band 4's high register, in that order (0xE0
    // together); never changed.
    std::array<std::uint8_t, 4> flags{0, 1, 1, 1};
    std::uint8_t auxiliary = 0;
    std::uint8_t marker = 1;
    bool operator==(const Record&) const = default;
  };
  using Slot = std::array<std::uint8_t, kSlotSize>;
  // Low and high register of every band, band 0 first.
  using BandWrites = std::array<RegisterWrite, 2 * kBands>;

  static Slot Pack(const Record& record);
  static Record Unpack(const Slot& slot);
  static bool Flat(const Codes& codes);

  // The slider's offset from the top of its travel to a gain code.
  static std::uint16_t CodeFromOffset(int offset, int travel);
  // A gain code to the offset of its slider from the top of the travel.
  static int OffsetFromCode(std::uint16_t code, int travel);

  // The whole record: both registers of every band, band 4's high register
  // with the record's own bits 4..7.
  static BandWrites WritesOf(const Record& record);
  // One band moved by its slider: its low register, then its high register;
  // band 4 keeps the device's bits 4..7 (device_band4_high).
  static RegisterWrite LowWrite(int band, std::uint16_t code);
  static RegisterWrite HighWrite(int band, std::uint16_t code, std::uint8_t device_band4_high);

  // The EEPROM: which bank a selector byte names (0 when none), and what a
  // bank's control byte (its byte 7) says.
  static int BankOfSelector(std::uint8_t selector);
  struct Control {
    bool blank = false;      // an erased bank (0x00 or 0xFF)
    int eq_enable = 0;       // bit 7 clear: the equalizer is on
    int wants_3d = 0;        // bit 4: 3D follows the device
  };
  static Control ControlOf(std::uint8_t control);
  // A bank's eight bytes hold five 12-bit codes spanning 0..4095; the
  // equalizer's span 512..2559.
  static Codes CodesOfBank(const std::array<std::uint8_t, kEepromBankBytes>& bank);
};

}  // namespace audio77
