#include "features/RecordTestBuffer.h"

#include <algorithm>

namespace audio77 {

void RecordTestBuffer::Append(std::span<const std::uint8_t> bytes) {
  const std::size_t room = capacity_ - recorded_.size();
  const std::size_t count = std::min(room, bytes.size());
  recorded_.insert(recorded_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

std::vector<std::uint8_t> RecordTestBuffer::TakeUnplayed() {
  std::vector<std::uint8_t> unplayed(recorded_.begin() + static_cast<std::ptrdiff_t>(played_), recorded_.end());
  played_ = recorded_.size();
  return unplayed;
}

void RecordTestBuffer::Clear() {
  recorded_.clear();
  played_ = 0;
}

}  // namespace audio77
