#include "device/SignedText.h"

#include <algorithm>
#include <vector>

#include "device/Base64.h"
#include "device/DesCbc.h"

namespace audio77 {

int SignedText::DecodeSignedText(std::string_view base64, std::span<std::uint8_t> output,
                                 std::size_t& length) {
  std::vector<std::uint8_t> cipher;
  if (Base64::Decode(base64, cipher) != 0) return 1;
  std::fill(output.begin(), output.end(), 0);
  const auto plain = DesCbc(kKey).Decrypt(cipher);
  // The capacity is measured against the cipher text, which bounds the plain text.
  if (!plain || output.size() < cipher.size()) return 2;
  std::copy(plain->begin(), plain->end(), output.begin());
  length = plain->size();
  return 0;
}

std::string SignedText::Sign(std::string_view pattern) {
  const std::vector<std::uint8_t> bytes(pattern.begin(), pattern.end());
  return Base64::Encode(DesCbc(kKey).Encrypt(bytes));
}

}  // namespace audio77
