#pragma once
// Capture from the default recording device in fixed-size buffers.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/WaveFormat.h"

namespace audio77 {

// An open capture. Destroying it stops the capture; no buffer is delivered
// once the destructor has returned.
class WaveInStream {
 public:
  virtual ~WaveInStream() = default;
};

class WaveIn {
 public:
  // Called on the sound system's thread with each filled buffer (by value).
  using BufferHandler = std::function<void(std::vector<std::uint8_t>)>;
  // Called on the sound system's thread when the capture ends by itself (the
  // server went away, the device vanished).
  using EndHandler = std::function<void()>;

  virtual ~WaveIn() = default;
  // Null when no capture can be opened.
  virtual std::unique_ptr<WaveInStream> Open(const WaveFormat& format, std::size_t buffer_bytes,
                                             BufferHandler on_buffer, EndHandler on_end) = 0;
};

}  // namespace audio77
