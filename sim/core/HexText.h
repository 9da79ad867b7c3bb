#pragma once
// How the trace writes bytes and buffers: "0x3A" for a byte, "00a1ff" for a
// buffer (two lower-case digits per byte, no separators).

#include <cstdint>
#include <span>
#include <string>

namespace audio77::sim {

std::string ByteText(std::uint8_t value);
std::string HexBytes(std::span<const std::uint8_t> bytes);
// "2E8D": four upper-case digits, as in hardware IDs and device names.
std::string Hex4(std::uint16_t value);

}  // namespace audio77::sim
