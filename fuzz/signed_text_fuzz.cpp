// Signatures of any bytes: decoding never reads or writes outside its
// buffers, and whatever decodes signs back to a signature that decodes to it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/SignedText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::array<std::uint8_t, 4096> plain{};
  std::size_t length = 0;
  if (audio77::SignedText::DecodeSignedText(text, plain, length) != 0) return 0;
  if (length > plain.size()) __builtin_trap();

  const std::string pattern(reinterpret_cast<const char*>(plain.data()), length);
  std::array<std::uint8_t, 4096> again{};
  std::size_t again_length = 0;
  if (audio77::SignedText::DecodeSignedText(audio77::SignedText::Sign(pattern), again, again_length) != 0) {
    __builtin_trap();
  }
  if (std::string_view(reinterpret_cast<const char*>(again.data()), again_length) != pattern) __builtin_trap();
  return 0;
}
