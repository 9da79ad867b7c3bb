#include "features/Sound3DCodec.h"

#include "device/ChipRegisters.h"

namespace audio77 {
namespace {

bool Fits(int value) { return value >= 0 && value <= Sound3DCodec::kHighestValue; }

std::uint8_t Pair(int alpha, int beta) { return static_cast<std::uint8_t>(alpha * 16 + beta); }

}  // namespace

int Sound3DCodec::ValueFromTop(int top, int travel) {
  if (travel <= 0) return 0;
  return kHighestValue - (top - kKnobTopLimit) * kHighestValue / travel;
}

int Sound3DCodec::TopFromValue(int value, int travel) { return travel - value * travel / kHighestValue + kKnobTopLimit; }

std::optional<std::array<RegisterWrite, 2>> Sound3DCodec::ParameterWrites(const Record& r) {
  if (!Fits(r.alpha_left) || !Fits(r.beta_left) || !Fits(r.alpha_right) || !Fits(r.beta_right)) return std::nullopt;
  return std::array<RegisterWrite, 2>{RegisterWrite{chip::k3DLeft, Pair(r.alpha_left, r.beta_left)},
                                      RegisterWrite{chip::k3DRight, Pair(r.alpha_right, r.beta_right)}};
}

std::uint8_t Sound3DCodec::FixNibbles(std::uint8_t value) {
  if ((value & 0x0F) == 0x0A) value = static_cast<std::uint8_t>(value | 0x0F);
  if ((value & 0xF0) == 0xA0) value = static_cast<std::uint8_t>(value | 0xF0);
  return value;
}

}  // namespace audio77
