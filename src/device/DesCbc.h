#pragma once
// DES in CBC mode with an all-zero initialisation vector and PKCS#5 padding,
// the cipher of the signed device-ID entries.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace audio77 {

class DesCbc {
 public:
  // key: its first 8 bytes, zero-filled when shorter.
  explicit DesCbc(std::string_view key);

  std::vector<std::uint8_t> Encrypt(std::span<const std::uint8_t> plain) const;
  // Empty when the data is not a non-zero multiple of 8 bytes or its padding is bad.
  std::optional<std::vector<std::uint8_t>> Decrypt(std::span<const std::uint8_t> cipher) const;

 private:
  std::uint8_t key_[8] = {};
};

}  // namespace audio77
