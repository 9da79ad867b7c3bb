#include "platform/linux/PulsePlayback.h"

#include <algorithm>

#include "platform/linux/PulseSampleFormat.h"

namespace audio77 {

PulsePlayback::PulsePlayback(std::shared_ptr<PulseConnection> connection, std::vector<std::uint8_t> bytes)
    : connection_(std::move(connection)), bytes_(std::move(bytes)) {}

std::unique_ptr<PulsePlayback> PulsePlayback::Start(std::shared_ptr<PulseConnection> connection,
                                                    const WaveFormat& format, std::vector<std::uint8_t> bytes,
                                                    const std::string& name) {
  const pa_sample_spec sample_format = PulseSampleFormat(format);
  if (pa_sample_spec_valid(&sample_format) == 0) return nullptr;
  auto playback = std::make_unique<PulsePlayback>(connection, std::move(bytes));
  PulseConnection::Lock lock(*connection);
  pa_context* context = connection->Ready();
  if (context == nullptr) return nullptr;
  playback->stream_ = pa_stream_new(context, name.c_str(), &sample_format, nullptr);
  if (playback->stream_ == nullptr) return nullptr;
  pa_stream_set_state_callback(playback->stream_, &PulsePlayback::OnState, playback.get());
  pa_stream_set_write_callback(playback->stream_, &PulsePlayback::OnWritable, playback.get());
  if (pa_stream_connect_playback(playback->stream_, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0) {
    return nullptr;  // the destructor takes the lock: release ours first
  }
  pa_stream* stream = playback->stream_;
  const bool ready = connection->WaitUntil([stream] {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
  });
  if (!ready || pa_stream_get_state(stream) != PA_STREAM_READY) return nullptr;
  return playback;
}

PulsePlayback::~PulsePlayback() {
  if (stream_ == nullptr) return;
  PulseConnection::Lock lock(*connection_);
  // A drain still under way would report to this object after it is gone.
  if (drain_ != nullptr) {
    pa_operation_cancel(drain_);
    pa_operation_unref(drain_);
  }
  pa_stream_set_state_callback(stream_, nullptr, nullptr);
  pa_stream_set_write_callback(stream_, nullptr, nullptr);
  pa_stream_disconnect(stream_);
  pa_stream_unref(stream_);
}

void PulsePlayback::OnState(pa_stream* stream, void* data) {
  auto* self = static_cast<PulsePlayback*>(data);
  // A failed stream plays nothing more: it is over.
  if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) self->finished_ = true;
  self->connection_->Signal();
}

void PulsePlayback::OnWritable(pa_stream* stream, std::size_t writable, void* data) {
  auto* self = static_cast<PulsePlayback*>(data);
  const std::size_t count = std::min(writable, self->bytes_.size() - self->written_);
  if (count > 0) {
    pa_stream_write(stream, self->bytes_.data() + self->written_, count, nullptr, 0, PA_SEEK_RELATIVE);
    self->written_ += count;
  }
  if (self->written_ == self->bytes_.size() && !self->draining_) {
    self->draining_ = true;
    self->drain_ = pa_stream_drain(
        stream, [](pa_stream*, int, void* done) { static_cast<PulsePlayback*>(done)->finished_ = true; }, self);
  }
}

}  // namespace audio77
