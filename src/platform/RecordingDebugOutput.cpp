#include "platform/RecordingDebugOutput.h"

#include <algorithm>

namespace audio77 {

void RecordingDebugOutput::Write(std::string_view text) {
  std::lock_guard lock(mutex_);
  lines_.emplace_back(text);
}

std::vector<std::string> RecordingDebugOutput::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::string RecordingDebugOutput::Text() const {
  std::lock_guard lock(mutex_);
  std::string joined;
  for (const auto& line : lines_) joined += line;
  return joined;
}

bool RecordingDebugOutput::Contains(std::string_view line) const {
  std::lock_guard lock(mutex_);
  return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

void RecordingDebugOutput::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}

}  // namespace audio77
