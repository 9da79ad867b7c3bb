#pragma once
// The PCM formats the program captures and plays: 8-bit unsigned or 16-bit
// signed little-endian samples, interleaved.

#include <cstdint>

namespace audio77 {

enum class SampleFormat { kU8, kS16LE };

struct WaveFormat {
  SampleFormat sample = SampleFormat::kU8;
  std::uint32_t rate = 8000;
  std::uint32_t channels = 1;

  std::uint32_t BlockAlign() const { return channels * (sample == SampleFormat::kU8 ? 1u : 2u); }
  std::uint32_t BytesPerSecond() const { return rate * BlockAlign(); }
  bool operator==(const WaveFormat&) const = default;
};

}  // namespace audio77
