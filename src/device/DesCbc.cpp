#include "device/DesCbc.h"

#include <nettle/cbc.h>
#include <nettle/des.h>

#include <algorithm>

namespace audio77 {
namespace {

constexpr std::size_t kBlock = DES_BLOCK_SIZE;

struct des_ctx Schedule(const std::uint8_t* key) {
  struct des_ctx context;
  // Parity bits are ignored. A weak key is reported but still scheduled, and
  // the signing key is fixed, so the report carries nothing to act on.
  des_set_key(&context, key);
  return context;
}

void EncryptBlocks(const void* context, std::size_t length, std::uint8_t* dst, const std::uint8_t* src) {
  des_encrypt(static_cast<const struct des_ctx*>(context), length, dst, src);
}

void DecryptBlocks(const void* context, std::size_t length, std::uint8_t* dst, const std::uint8_t* src) {
  des_decrypt(static_cast<const struct des_ctx*>(context), length, dst, src);
}

}  // namespace

DesCbc::DesCbc(std::string_view key) {
  std::copy_n(key.begin(), std::min(key.size(), sizeof key_), key_);
}

std::vector<std::uint8_t> DesCbc::Encrypt(std::span<const std::uint8_t> plain) const {
  const std::size_t pad = kBlock - plain.size() % kBlock;
  std::vector<std::uint8_t> data(plain.begin(), plain.end());
  data.insert(data.end(), pad, static_cast<std::uint8_t>(pad));
  struct des_ctx context = Schedule(key_);
  std::uint8_t iv[kBlock] = {};
  cbc_encrypt(&context, EncryptBlocks, kBlock, iv, data.size(),
              data.data(), data.data());
  return data;
}

std::optional<std::vector<std::uint8_t>> DesCbc::Decrypt(std::span<const std::uint8_t> cipher) const {
  if (cipher.empty() || cipher.size() % kBlock != 0) return std::nullopt;
  std::vector<std::uint8_t> data(cipher.begin(), cipher.end());
  struct des_ctx context = Schedule(key_);
  std::uint8_t iv[kBlock] = {};
  cbc_decrypt(&context, DecryptBlocks, kBlock, iv, data.size(),
              data.data(), data.data());
  const std::size_t pad = data.back();
  if (pad == 0 || pad > kBlock) return std::nullopt;
  if (!std::all_of(data.end() - static_cast<std::ptrdiff_t>(pad), data.end(),
                   [pad](std::uint8_t byte) { return byte == pad; })) {
    return std::nullopt;
  }
  data.resize(data.size() - pad);
  return data;
}

}  // namespace audio77
