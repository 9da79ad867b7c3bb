#pragma once
// The dialogs of a window driven from outside: `ui answer` queues answers in
// advance, each dialog takes the first queued answer (so an answer applies to
// the next dialog only), and without one the inner dialogs (the real ones)
// answer. Every message box and every open and save dialog shown is recorded
// for `ui boxes`.
//
// A dialog with no answer queued waits for a person; before it does, the
// command that opened it is told (so that a script gets its reply and can look
// at `ui boxes`), and `ui answer` then answers the waiting dialog directly.
// Answers do not linger: those queued before one acting command and still
// unused when the next acting command starts are dropped, so an answer meant
// for one command never answers an unrelated later box.
//
// An answer that the next dialog cannot give (FILE= for a message box, Yes for
// a box with OK only) is still used up by that dialog, which then answers as if
// it was closed without a choice: a script that got out of step with the
// window learns it from the result instead of leaving a real dialog waiting.

#include <deque>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "toolkit/Dialogs.h"

namespace audio77 {

struct FileAnswer {
  std::string path;
  friend bool operator==(const FileAnswer&, const FileAnswer&) = default;
};
struct ColorAnswer {
  toolkit::Color color = toolkit::kBlack;
  friend bool operator==(const ColorAnswer&, const ColorAnswer&) = default;
};
using DialogAnswer = std::variant<toolkit::MessageAnswer, FileAnswer, ColorAnswer>;

class AutomationDialogs final : public toolkit::Dialogs {
 public:
  explicit AutomationDialogs(toolkit::Dialogs& inner) : inner_(inner) {}

  toolkit::Dialogs& Inner() const { return inner_; }
  void QueueAnswer(DialogAnswer answer) { answers_.push_back({generation_, std::move(answer)}); }
  std::size_t QueuedAnswers() const { return answers_.size(); }
  // A command that may open dialogs starts: answers queued before the previous
  // such command are dropped.
  void BeginActingCommand();
  // Answers the dialog that waits for a person; false when none waits or it
  // is of another kind.
  bool AnswerWaiting(const DialogAnswer& answer);
  // Told the dialog's `ui boxes` line just before a dialog waits for a person.
  void SetBeforeWaiting(std::function<void(const std::string& line)> before_waiting) {
    before_waiting_ = std::move(before_waiting);
  }
  // "CAPTION<TAB>TEXT" of every message box shown so far.
  const std::vector<std::string>& Boxes() const { return boxes_; }

  toolkit::MessageAnswer ShowMessage(const toolkit::MessageRequest& request) override;
  std::optional<toolkit::Color> ChooseColor(const toolkit::ColorRequest& request) override;
  std::optional<std::string> OpenFile(const toolkit::FileRequest& request) override;
  std::optional<std::string> SaveFile(const toolkit::FileRequest& request) override;

 private:
  struct Queued {
    unsigned generation;
    DialogAnswer answer;
  };
  std::optional<DialogAnswer> TakeAnswer();
  void BeforeWaiting(const std::string& line) const {
    if (before_waiting_) before_waiting_(line);
  }
  std::optional<std::string> FileDialog(const toolkit::FileRequest& request, bool open);

  toolkit::Dialogs& inner_;
  std::deque<Queued> answers_;
  std::vector<std::string> boxes_;
  std::function<void(const std::string&)> before_waiting_;
  unsigned generation_ = 0;
};

// A box's caption and text as one line: line breaks and tabs inside them are
// written as \n and \t.
std::string BoxLine(const toolkit::MessageRequest& request);
// An open or save dialog as `ui boxes` shows it: "TITLE<TAB>open|save
// FOLDER/FILE (FILTER)".
std::string FileDialogLine(const toolkit::FileRequest& request, bool open);

}  // namespace audio77
