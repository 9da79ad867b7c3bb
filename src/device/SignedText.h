#pragma once
// Signatures of the device-ID entries: Base64 of the DES-CBC encryption of
// the pattern's bytes under the fixed signing key.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace audio77 {

class SignedText {
 public:
  static constexpr std::string_view kKey = "KiteTune";

  // Decodes and decrypts a signature into output (its size is the capacity).
  // 0 done, length holds the plain byte count; 1 Base64 failed; 2 decryption failed.
  static int DecodeSignedText(std::string_view base64, std::span<std::uint8_t> output, std::size_t& length);
  // The signature of a pattern given as 8-bit bytes.
  static std::string Sign(std::string_view pattern);
};

}  // namespace audio77
