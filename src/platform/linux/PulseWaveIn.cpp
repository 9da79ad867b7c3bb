#include "platform/linux/PulseWaveIn.h"

#include <algorithm>

#include "platform/linux/PulseSampleFormat.h"

namespace audio77 {
namespace {

class PulseCapture final : public WaveInStream {
 public:
  PulseCapture(std::shared_ptr<PulseConnection> connection, const WaveFormat& format, std::size_t buffer_bytes,
               WaveIn::BufferHandler on_buffer, WaveIn::EndHandler on_end)
      : connection_(std::move(connection)),
        silence_(format.sample == SampleFormat::kU8 ? 0x80 : 0x00),
        buffer_bytes_(buffer_bytes),
        on_buffer_(std::move(on_buffer)),
        on_end_(std::move(on_end)) {
    pending_.reserve(buffer_bytes_);
  }

  ~PulseCapture() override {
    if (stream_ == nullptr) return;
    PulseConnection::Lock lock(*connection_);
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
  }

  // With the connection's lock held.
  bool Connect(pa_context* context, const WaveFormat& format) {
    const pa_sample_spec sample_format = PulseSampleFormat(format);
    if (pa_sample_spec_valid(&sample_format) == 0 || buffer_bytes_ == 0) return false;
    stream_ = pa_stream_new(context, "Input level", &sample_format, nullptr);
    if (stream_ == nullptr) return false;
    pa_stream_set_state_callback(stream_, &PulseCapture::OnState, this);
    pa_stream_set_read_callback(stream_, &PulseCapture::OnReadable, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<std::uint32_t>(-1);
    attributes.fragsize = static_cast<std::uint32_t>(buffer_bytes_);
    if (pa_stream_connect_record(stream_, nullptr, &attributes, PA_STREAM_ADJUST_LATENCY) < 0) return false;
    pa_stream* stream = stream_;
    connection_->WaitUntil([stream] {
      const pa_stream_state_t state = pa_stream_get_state(stream);
      return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    });
    live_ = pa_stream_get_state(stream_) == PA_STREAM_READY;
    return live_;
  }

 private:
  static void OnState(pa_stream* stream, void* data) {
    auto* self = static_cast<PulseCapture*>(data);
    // Only a capture that was running ends; a failed start is the caller's null.
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)) && self->live_ && !self->ended_) {
      self->ended_ = true;
      if (self->on_end_) self->on_end_();
    }
    self->connection_->Signal();
  }

  static void OnReadable(pa_stream* stream, std::size_t, void* data) {
    auto* self = static_cast<PulseCapture*>(data);
    const void* bytes = nullptr;
    std::size_t count = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &bytes, &count) == 0 && count > 0) {
      self->Take(static_cast<const std::uint8_t*>(bytes), count);
      pa_stream_drop(stream);
    }
  }

  // bytes null: a gap of count bytes.
  void Take(const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
      const std::size_t part = std::min(count, buffer_bytes_ - pending_.size());
      if (bytes != nullptr) {
        pending_.insert(pending_.end(), bytes, bytes + part);
        bytes += part;
      } else {
        pending_.insert(pending_.end(), part, silence_);
      }
      count -= part;
      if (pending_.size() == buffer_bytes_) {
        std::vector<std::uint8_t> full;
        full.reserve(buffer_bytes_);
        full.swap(pending_);
        on_buffer_(std::move(full));
      }
    }
  }

  std::shared_ptr<PulseConnection> connection_;
  std::uint8_t silence_;
  std::size_t buffer_bytes_;
  WaveIn::BufferHandler on_buffer_;
  WaveIn::EndHandler on_end_;
  std::vector<std::uint8_t> pending_;
  pa_stream* stream_ = nullptr;
  bool live_ = false;
  bool ended_ = false;
};

}  // namespace

PulseWaveIn::PulseWaveIn(std::shared_ptr<PulseConnection> connection) : connection_(std::move(connection)) {}

std::unique_ptr<WaveInStream> PulseWaveIn::Open(const WaveFormat& format, std::size_t buffer_bytes,
                                                BufferHandler on_buffer, EndHandler on_end) {
  auto capture =
      std::make_unique<PulseCapture>(connection_, format, buffer_bytes, std::move(on_buffer), std::move(on_end));
  bool open = false;
  {
    PulseConnection::Lock lock(*connection_);
    pa_context* context = connection_->Ready();
    open = context != nullptr && capture->Connect(context, format);
  }
  if (!open) return nullptr;
  return capture;
}

}  // namespace audio77
