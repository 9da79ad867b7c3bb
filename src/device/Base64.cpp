#include "device/Base64.h"

#include <nettle/base64.h>

namespace audio77 {
namespace {

constexpr int kPadValue = 64;

// 6-bit value of a character; "=" gives 64; -1 for anything else.
int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  if (c == '=') return kPadValue;
  return -1;
}

}  // namespace

int Base64::Decode(std::string_view text, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  if (text.empty() || text.size() % 4 != 0) return 1;
  if (kDecodeCapacity <= text.size() / 4 * 3) return 2;
  std::vector<int> sextets(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    sextets[i] = SextetOf(text[i]);
    if (sextets[i] < 0) return 3;
  }
  for (std::size_t group = 0; group < text.size(); group += 4) {
    const int a = sextets[group], b = sextets[group + 1], c = sextets[group + 2], d = sextets[group + 3];
    std::size_t count = 3;
    if (group + 4 == text.size()) {
      if (text[group + 2] == '=') count = 1;
      else if (text[group + 3] == '=') count = 2;
    }
    // A pad value inside the data only lends its low bits, as the shifts below keep bytes.
    const std::uint8_t out[3] = {static_cast<std::uint8_t>((a << 2) | (b >> 4)),
                                 static_cast<std::uint8_t>((b << 4) | (c >> 2)),
                                 static_cast<std::uint8_t>((c << 6) | d)};
    bytes.insert(bytes.end(), out, out + count);
  }
  return 0;
}

std::string Base64::Encode(const std::vector<std::uint8_t>& bytes) {
  std::string text(BASE64_ENCODE_RAW_LENGTH(bytes.size()), '\0');
  base64_encode_raw(text.data(), bytes.size(), bytes.data());
  return text;
}

}  // namespace audio77
