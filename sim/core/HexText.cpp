#include "sim/core/HexText.h"

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
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

}  // namespace audio77::sim
