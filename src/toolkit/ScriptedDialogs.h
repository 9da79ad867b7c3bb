#pragma once
// Dialogs for tests and headless runs: answers are queued in advance, every
// dialog shown is recorded. A dialog without a queued answer is dismissed and
// counted, so a test can tell it was not expected. Dismissed is the one
// default answer: a message box answers DismissAnswer(buttons) (OK for a box
// that has only OK, No for Yes/No, otherwise Cancel or Abort), a colour or
// file dialog answers nothing.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Dialogs.h"

namespace audio77::toolkit {

class ScriptedDialogs final : public Dialogs {
 public:
  void QueueMessageAnswer(MessageAnswer answer) { message_answers_.push_back(answer); }
  void QueueColor(std::optional<Color> color) { colors_.push_back(color); }
  void QueueOpenFile(std::optional<std::string> path) { open_files_.push_back(std::move(path)); }
  void QueueSaveFile(std::optional<std::string> path) { save_files_.push_back(std::move(path)); }

  MessageAnswer ShowMessage(const MessageRequest& request) override;
  std::optional<Color> ChooseColor(const ColorRequest& request) override;
  std::optional<std::string> OpenFile(const FileRequest& request) override;
  std::optional<std::string> SaveFile(const FileRequest& request) override;

  const std::vector<MessageRequest>& Messages() const { return messages_; }
  const std::vector<ColorRequest>& ColorRequests() const { return color_requests_; }
  const std::vector<FileRequest>& OpenRequests() const { return open_requests_; }
  const std::vector<FileRequest>& SaveRequests() const { return save_requests_; }
  // Dialogs that found no queued answer.
  int Unscripted() const { return unscripted_; }
  // Answers queued but never used.
  std::size_t Unused() const;

 private:
  template <class T>
  T Next(std::deque<T>& queue, T fallback);

  std::deque<MessageAnswer> message_answers_;
  std::deque<std::optional<Color>> colors_;
  std::deque<std::optional<std::string>> open_files_;
  std::deque<std::optional<std::string>> save_files_;
  std::vector<MessageRequest> messages_;
  std::vector<ColorRequest> color_requests_;
  std::vector<FileRequest> open_requests_;
  std::vector<FileRequest> save_requests_;
  int unscripted_ = 0;
};

}  // namespace audio77::toolkit
