#pragma once
// The dialogs of a window driven from outside: `ui answer` queues answers in
// advance, each dialog takes the first queued answer (so an answer applies to
// the next dialog only), and without one the inner dialogs (the real ones)
// answer. Every message box and every open and save dialog shown is recorded
// for `ui boxes`.
//
// An answer that the next dialog cannot give (FILE= for a message box, Yes for
// a box with OK only) is still used up by that dialog, which then answers as if
// it was closed without a choice: a script that got out of step with the
// window learns it from the result instead of leaving a real dialog waiting.

#include <deque>
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
  void QueueAnswer(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
  std::size_t QueuedAnswers() const { return answers_.size(); }
  // "CAPTION<TAB>TEXT" of every message box shown so far.
  const std::vector<std::string>& Boxes() const { return boxes_; }

  toolkit::MessageAnswer ShowMessage(const toolkit::MessageRequest& request) override;
  std::optional<toolkit::Color> ChooseColor(const toolkit::ColorRequest& request) override;
  std::optional<std::string> OpenFile(const toolkit::FileRequest& request) override;
  std::optional<std::string> SaveFile(const toolkit::FileRequest& request) override;

 private:
  std::optional<DialogAnswer> TakeAnswer();
  std::optional<std::string> FileDialog(const toolkit::FileRequest& request, bool open);

  toolkit::Dialogs& inner_;
  std::deque<DialogAnswer> answers_;
  std::vector<std::string> boxes_;
};

// A box's caption and text as one line: line breaks and tabs inside them are
// written as \n and \t.
std::string BoxLine(const toolkit::MessageRequest& request);
// An open or save dialog as `ui boxes` shows it: "TITLE<TAB>open|save
// FOLDER/FILE (FILTER)".
std::string FileDialogLine(const toolkit::FileRequest& request, bool open);

}  // namespace audio77
