#include "platform/linux/PulseWaveOut.h"

#include "platform/linux/PulsePlayback.h"

namespace audio77 {

PulseWaveOut::PulseWaveOut(std::shared_ptr<PulseConnection> connection) : connection_(std::move(connection)) {}

std::unique_ptr<WaveOutStream> PulseWaveOut::Play(const WaveFormat& format, std::vector<std::uint8_t> bytes) {
  return PulsePlayback::Start(connection_, format, std::move(bytes), "Playback");
}

}  // namespace audio77
