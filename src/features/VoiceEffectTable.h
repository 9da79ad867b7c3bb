#pragma once
// The five voice effects (none and 1..4): the pitch offset each sends to the
// device, the level the registry keeps for it (offset + 12), the way back
// from a stored level to an effect, and the names of its image and label.
// Any effect number outside 0..4 is effect 0, so nothing indexes past the
// table.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace audio77 {

class VoiceEffectTable {
 public:
  static constexpr int kNone = 0;
  static constexpr int kCount = 5;
  static constexpr std::size_t kPayloadLength = 10;
  using Payload = std::array<std::uint8_t, kPayloadLength>;

  // effect when it is 0..4, else 0.
  static int Normalize(int effect);
  static std::int16_t PitchOffset(int effect);
  static std::uint32_t RegistryLevel(int effect);
  // The effect a stored level stands for; a level no effect has is effect 0.
  static int EffectFromRegistryLevel(std::uint32_t level);
  // The payload of the "set" command: bytes 0..3 the switch (signed 32-bit),
  // bytes 4..5 the pitch offset (signed 16-bit), bytes 6..9 zero; little-endian.
  static Payload SetPayload(std::int32_t on, int effect);

  // "VMEffectNone", "VMEffect1" .. "VMEffect4": the stem of the effect's
  // control names ("...Image", "...Label") and skin keys ("...UpImage",
  // "...DownImage").
  static std::string Stem(int effect);
};

}  // namespace audio77
