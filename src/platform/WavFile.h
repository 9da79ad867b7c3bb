#pragma once
// RIFF WAVE files of PCM samples: read with every length checked, written in
// the plain 44-byte layout.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/WaveFormat.h"

namespace audio77 {

struct WavSound {
  WaveFormat format;
  std::vector<std::uint8_t> samples;

  std::uint64_t LengthMs() const;
};

class WavFile {
 public:
  // Nullopt unless the bytes are a WAVE file of 8-bit or 16-bit PCM, one or
  // two channels, 1 Hz to 192 kHz, with a data chunk of whole frames
  // (a data chunk longer than the file is cut to what is there).
  static std::optional<WavSound> Parse(std::span<const std::uint8_t> bytes);
  static std::vector<std::uint8_t> Write(const WavSound& sound);
};

}  // namespace audio77
