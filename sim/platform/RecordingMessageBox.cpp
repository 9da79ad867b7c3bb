#include "sim/platform/RecordingMessageBox.h"

namespace audio77::sim {
namespace {

MessageBoxAnswer FirstButton(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kYesNo:
    case MessageBoxButtons::kYesNoCancel:
      return MessageBoxAnswer::kYes;
    case MessageBoxButtons::kRetryCancel:
      return MessageBoxAnswer::kRetry;
    default:
      return MessageBoxAnswer::kOk;
  }
}

}  // namespace

MessageBoxAnswer RecordingMessageBox::Show(const std::string& text, const std::string& caption,
                                           MessageBoxButtons buttons, MessageBoxIcon icon) {
  std::lock_guard lock(mutex_);
  shown_.push_back({text, caption, buttons, icon});
  if (answers_.empty()) return FirstButton(buttons);
  const MessageBoxAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void RecordingMessageBox::ScriptAnswer(MessageBoxAnswer answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

std::vector<ShownMessageBox> RecordingMessageBox::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

}  // namespace audio77::sim
