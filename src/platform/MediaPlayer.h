#pragma once
// The window's hidden media player: one sound file, played through the
// default output.

#include <cstdint>
#include <string>

namespace audio77 {

class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  // Opens a WAV file; false (and nothing open) when it is missing or not a
  // PCM WAV file we can play.
  virtual bool Open(const std::string& path) = 0;
  // Plays the open file from its start; nothing without one.
  virtual void Play() = 0;
  // Stops and forgets the file.
  virtual void Close() = 0;
  // Milliseconds played of the open file, and its length (0 without one);
  // the position equals the length once the whole file has been played.
  virtual std::uint64_t PositionMs() const = 0;
  virtual std::uint64_t LengthMs() const = 0;
};

}  // namespace audio77
