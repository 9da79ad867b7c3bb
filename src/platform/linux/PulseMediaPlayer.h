#pragma once
// The hidden media player on the sound server: a WAV file read whole, played
// from its start through the default sink. The position runs with real time
// while the sound plays and equals the length once it has drained.

#include <chrono>
#include <memory>
#include <optional>

#include "platform/DebugOutput.h"
#include "platform/MediaPlayer.h"
#include "platform/WavFile.h"
#include "platform/linux/PulseConnection.h"
#include "platform/linux/PulsePlayback.h"

namespace audio77 {

class PulseMediaPlayer final : public MediaPlayer {
 public:
  PulseMediaPlayer(std::shared_ptr<PulseConnection> connection, DebugOutput& debug);
  bool Open(const std::string& path) override;
  void Play() override;
  void Close() override;
  std::uint64_t PositionMs() const override;
  std::uint64_t LengthMs() const override;

 private:
  std::shared_ptr<PulseConnection> connection_;
  DebugOutput& debug_;
  std::optional<WavSound> sound_;
  std::unique_ptr<PulsePlayback> playing_;
  std::chrono::steady_clock::time_point started_{};
};

}  // namespace audio77
