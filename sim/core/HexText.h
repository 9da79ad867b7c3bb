#pragma once
// How the trace writes bytes and buffers: "0x3A" for a byte, "00a1ff" for a
// buffer (two lower-case digits per byte, no separators).

#include <cstdint>
#include <span>
#include <string>

namespace audio77::sim {

std::string ByteText(std::uint8_t value);
std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace audio77::sim
