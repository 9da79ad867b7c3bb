#pragma once
// Colours are 32-bit values 0x00BBGGRR: red in the lowest byte, then green,
// then blue; the top byte is unused. Profiles and skins store them this way.

#include <cstdint>

namespace audio77::toolkit {

using Color = std::uint32_t;

constexpr Color RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) |
         (static_cast<Color>(blue) << 16);
}
constexpr std::uint8_t RedOf(Color c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Color c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Color c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
// The face colour of dialogs and of labels that are not transparent.
inline constexpr Color kButtonFace = 0xF0F0F0;

}  // namespace audio77::toolkit
