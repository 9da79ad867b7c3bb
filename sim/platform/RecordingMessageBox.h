#pragma once
// Message boxes of the virtual platform: every box shown is kept, and the
// answers can be scripted; without a script the first button is the answer.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace audio77::sim {

struct ShownMessageBox {
  std::string text;
  std::string caption;
  MessageBoxButtons buttons;
  MessageBoxIcon icon;
};

class RecordingMessageBox final : public MessageBox {
 public:
  MessageBoxAnswer Show(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                        MessageBoxIcon icon) override;
  void ScriptAnswer(MessageBoxAnswer answer);
  std::vector<ShownMessageBox> Shown() const;

 private:
  mutable std::mutex mutex_;
  std::vector<ShownMessageBox> shown_;
  std::deque<MessageBoxAnswer> answers_;
};

}  // namespace audio77::sim
