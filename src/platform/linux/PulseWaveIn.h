#pragma once
// Capture from the sound server's default source in buffers of a fixed size,
// handed over on libpulse's thread. Gaps in the stream count as silence.

#include <memory>

#include "platform/WaveIn.h"
#include "platform/linux/PulseConnection.h"

namespace audio77 {

class PulseWaveIn final : public WaveIn {
 public:
  explicit PulseWaveIn(std::shared_ptr<PulseConnection> connection);
  std::unique_ptr<WaveInStream> Open(const WaveFormat& format, std::size_t buffer_bytes, BufferHandler on_buffer,
                                     EndHandler on_end) override;

 private:
  std::shared_ptr<PulseConnection> connection_;
};

}  // namespace audio77
