#pragma once
// The 3D arithmetic, free of any device: knob tops to values and back, the
// parameter registers of a record and the fix of the two registers whose 0xA nibbles must read 0xF.

#include <array>
#include <cstdint>
#include <optional>

#include "features/RegisterWrite.h"

namespace audio77 {

class Sound3DCodec {
 public:
  static constexpr int kKnobTopLimit = 105;
  static constexpr int kKnobBottomLimit = 225;
  static constexpr int kHighestValue = 15;

  struct Record {
    int alpha_left = 10;
    int beta_left = 3;
    int alpha_right = 10;
    int beta_right = 3;
    int fbm = 1;
    bool operator==(const Record&) const = default;
  };

  // A knob's top to its value, and back.
  static int ValueFromTop(int top, int travel);
  static int TopFromValue(int value, int travel);
  // The left and the right parameter register; nullopt when a value lies
  // outside 0..15 (such values are not sent).
  static std::optional<std::array<RegisterWrite, 2>> ParameterWrites(const Record& record);
  // A nibble of 0xA becomes 0xF; the other nibble stays.
  static std::uint8_t FixNibbles(std::uint8_t value);
};

}  // namespace audio77
