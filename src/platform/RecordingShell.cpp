#include "platform/RecordingShell.h"

#include <utility>

namespace audio77 {

bool RecordingShell::OpenUrl(const std::string& url) {
  urls_.push_back(url);
  return true;
}

bool RecordingShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                                  std::function<void()> ended) {
  if (start_fails_) return false;
  started_.push_back(Started{program, arguments, std::move(ended)});
  return true;
}

void RecordingShell::End(std::size_t index) {
  if (index >= started_.size() || !started_[index].ended) return;
  auto ended = std::move(started_[index].ended);
  started_[index].ended = nullptr;
  ended();
}

}  // namespace audio77
