#include "sim/core/HexText.h"

#include <cstdio>

namespace audio77::sim {
namespace {
constexpr char kDigits[] = "0123456789abcdef";
constexpr char kUpperDigits[] = "0123456789ABCDEF";
}  // namespace

std::string ByteText(std::uint8_t value) {
  std::string text = "0x";
  text += kUpperDigits[value >> 4];
  text += kUpperDigits[value & 0x0F];
  return text;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text(bytes.size() * 2, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return text;
}

std::string Hex4(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

}  // namespace audio77::sim
