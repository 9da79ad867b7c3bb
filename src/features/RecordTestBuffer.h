#pragma once
// The record test's recording: at most one buffer of bytes (1 MiB), and how
// much of it has been played back, so that each playback takes only what
// was recorded since the last one.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace audio77 {

class RecordTestBuffer {
 public:
  static constexpr std::size_t kCapacity = 1048576;

  explicit RecordTestBuffer(std::size_t capacity = kCapacity) : capacity_(capacity) {}

  // Keeps what fits; the rest of a full buffer is dropped.
  void Append(std::span<const std::uint8_t> bytes);
  // The bytes recorded since the last call, by value.
  std::vector<std::uint8_t> TakeUnplayed();
  std::span<const std::uint8_t> Recorded() const { return recorded_; }
  bool Full() const { return recorded_.size() == capacity_; }
  void Clear();

 private:
  std::size_t capacity_;
  std::vector<std::uint8_t> recorded_;
  std::size_t played_ = 0;
};

}  // namespace audio77
