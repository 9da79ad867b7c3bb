#pragma once
// Plays a block of PCM bytes once through the default sink. The stream is fed
// from libpulse's thread and drained at the end; destroying the playback
// stops it at once.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/WaveOut.h"
#include "platform/linux/PulseConnection.h"

namespace audio77 {

class PulsePlayback final : public WaveOutStream {
 public:
  // Null when no server answers or the stream does not start.
  static std::unique_ptr<PulsePlayback> Start(std::shared_ptr<PulseConnection> connection, const WaveFormat& format,
                                              std::vector<std::uint8_t> bytes, const std::string& name);
  ~PulsePlayback() override;

  bool Finished() const override { return finished_.load(); }

  PulsePlayback(std::shared_ptr<PulseConnection> connection, std::vector<std::uint8_t> bytes);

 private:
  static void OnWritable(pa_stream* stream, std::size_t writable, void* self);
  static void OnState(pa_stream* stream, void* self);

  std::shared_ptr<PulseConnection> connection_;
  std::vector<std::uint8_t> bytes_;
  std::size_t written_ = 0;
  bool draining_ = false;
  pa_operation* drain_ = nullptr;  // held until the end, so that it can be cancelled
  pa_stream* stream_ = nullptr;
  std::atomic<bool> finished_{false};
};

}  // namespace audio77
