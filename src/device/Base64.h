#pragma once
// The signature decoder of the signed device-ID entries, with its own fixed
// limits, and the matching encoder used when entries are signed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace audio77 {

class Base64 {
 public:
  // The decoder writes into a buffer of this many bytes.
  static constexpr std::size_t kDecodeCapacity = 1024;

  // 0 done; 1 length not a non-zero multiple of 4; 2 too long for the buffer;
  // 3 a character outside the alphabet.
  static int Decode(std::string_view text, std::vector<std::uint8_t>& bytes);
  static std::string Encode(const std::vector<std::uint8_t>& bytes);
};

}  // namespace audio77
