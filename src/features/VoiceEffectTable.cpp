#include "features/VoiceEffectTable.h"

namespace audio77 {
namespace {

constexpr std::array<std::int16_t, VoiceEffectTable::kCount> kPitchOffsets = {0, -3, 7, -10, 12};
// The registry keeps the offset shifted so that it is never negative.
constexpr std::int32_t kRegistryBias = 12;

}  // namespace

int VoiceEffectTable::Normalize(int effect) { return effect >= 0 && effect < kCount ? effect : kNone; }

std::int16_t VoiceEffectTable::PitchOffset(int effect) {
  return kPitchOffsets[static_cast<std::size_t>(Normalize(effect))];
}

std::uint32_t VoiceEffectTable::RegistryLevel(int effect) {
  return static_cast<std::uint32_t>(PitchOffset(effect) + kRegistryBias);
}

int VoiceEffectTable::EffectFromRegistryLevel(std::uint32_t level) {
  for (int effect = 0; effect < kCount; ++effect) {
    if (RegistryLevel(effect) == level) return effect;
  }
  return kNone;
}

VoiceEffectTable::Payload VoiceEffectTable::SetPayload(std::int32_t on, int effect) {
  Payload payload{};
  const auto raw_on = static_cast<std::uint32_t>(on);
  for (std::size_t i = 0; i < 4; ++i) payload[i] = static_cast<std::uint8_t>(raw_on >> (8 * i));
  const auto raw_offset = static_cast<std::uint16_t>(PitchOffset(effect));
  payload[4] = static_cast<std::uint8_t>(raw_offset);
  payload[5] = static_cast<std::uint8_t>(raw_offset >> 8);
  return payload;
}

std::string VoiceEffectTable::Stem(int effect) {
  const int known = Normalize(effect);
  return known == kNone ? std::string("VMEffectNone") : "VMEffect" + std::to_string(known);
}

}  // namespace audio77
