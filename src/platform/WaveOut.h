#pragma once
// Playback of PCM bytes through the default output.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/WaveFormat.h"

namespace audio77 {

// One playback in progress. Destroying it stops it at once.
class WaveOutStream {
 public:
  virtual ~WaveOutStream() = default;
  // Every byte has been played.
  virtual bool Finished() const = 0;
};

class WaveOut {
 public:
  virtual ~WaveOut() = default;
  // Plays bytes once. Null when no output can be opened.
  virtual std::unique_ptr<WaveOutStream> Play(const WaveFormat& format, std::vector<std::uint8_t> bytes) = 0;
};

}  // namespace audio77
