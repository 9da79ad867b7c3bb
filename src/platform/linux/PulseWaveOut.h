#pragma once
// Playback of PCM bytes through the sound server's default sink.

#include <memory>

#include "platform/WaveOut.h"
#include "platform/linux/PulseConnection.h"

namespace audio77 {

class PulseWaveOut final : public WaveOut {
 public:
  explicit PulseWaveOut(std::shared_ptr<PulseConnection> connection);
  std::unique_ptr<WaveOutStream> Play(const WaveFormat& format, std::vector<std::uint8_t> bytes) override;

 private:
  std::shared_ptr<PulseConnection> connection_;
};

}  // namespace audio77
