#include "app/AutomationDialogs.h"

#include <algorithm>
#include <initializer_list>

namespace audio77 {
namespace {

using toolkit::MessageAnswer;
using toolkit::MessageButtons;

bool Offers(MessageButtons buttons, MessageAnswer answer) {
  auto any_of = [answer](std::initializer_list<MessageAnswer> offered) {
    return std::find(offered.begin(), offered.end(), answer) != offered.end();
  };
  switch (buttons) {
    case MessageButtons::kOk:
      return any_of({MessageAnswer::kOk});
    case MessageButtons::kOkCancel:
      return any_of({MessageAnswer::kOk, MessageAnswer::kCancel});
    case MessageButtons::kYesNo:
      return any_of({MessageAnswer::kYes, MessageAnswer::kNo});
    case MessageButtons::kYesNoCancel:
      return any_of({MessageAnswer::kYes, MessageAnswer::kNo, MessageAnswer::kCancel});
    case MessageButtons::kRetryCancel:
      return any_of({MessageAnswer::kRetry, MessageAnswer::kCancel});
    case MessageButtons::kAbortRetryIgnore:
      return any_of({MessageAnswer::kAbort, MessageAnswer::kRetry, MessageAnswer::kIgnore});
  }
  return false;
}

void AppendEscaped(std::string& out, const std::string& text) {
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c != '\r') {
      out += c;
    }
  }
}

}  // namespace

std::string BoxLine(const toolkit::MessageRequest& request) {
  std::string line;
  AppendEscaped(line, request.caption);
  line += '\t';
  AppendEscaped(line, request.text);
  return line;
}

std::string FileDialogLine(const toolkit::FileRequest& request, bool open) {
  std::string line;
  AppendEscaped(line, request.title);
  line += open ? "\topen " : "\tsave ";
  AppendEscaped(line, request.initial_folder + "/" + request.file_name + " (" + request.filter + ")");
  return line;
}

std::optional<DialogAnswer> AutomationDialogs::TakeAnswer() {
  if (answers_.empty()) return std::nullopt;
  DialogAnswer answer = std::move(answers_.front().answer);
  answers_.pop_front();
  return answer;
}

void AutomationDialogs::BeginActingCommand() {
  std::erase_if(answers_, [this](const Queued& queued) { return queued.generation < generation_; });
  ++generation_;
}

bool AutomationDialogs::AnswerWaiting(const DialogAnswer& answer) {
  if (const auto* message = std::get_if<toolkit::MessageAnswer>(&answer)) {
    // As for a queued answer, a button answer closes a waiting file or
    // colour dialog without a choice.
    return inner_.AnswerWaitingMessage(*message) || inner_.AnswerWaitingFile(std::nullopt) ||
           inner_.AnswerWaitingColor(std::nullopt);
  }
  if (const auto* file = std::get_if<FileAnswer>(&answer)) return inner_.AnswerWaitingFile(file->path);
  return inner_.AnswerWaitingColor(std::get<ColorAnswer>(answer).color);
}

MessageAnswer AutomationDialogs::ShowMessage(const toolkit::MessageRequest& request) {
  boxes_.push_back(BoxLine(request));
  const auto answer = TakeAnswer();
  if (!answer) {
    BeforeWaiting(boxes_.back());
    return inner_.ShowMessage(request);
  }
  const auto* given = std::get_if<MessageAnswer>(&*answer);
  if (given == nullptr || !Offers(request.buttons, *given))
    return toolkit::DismissAnswer(request.buttons);
  return *given;
}

std::optional<toolkit::Color> AutomationDialogs::ChooseColor(const toolkit::ColorRequest& request) {
  const auto answer = TakeAnswer();
  if (!answer) {
    BeforeWaiting("\tcolour");
    return inner_.ChooseColor(request);
  }
  if (const auto* color = std::get_if<ColorAnswer>(&*answer)) return color->color;
  return std::nullopt;  // Cancel, or an answer for another kind of dialog
}

std::optional<std::string> AutomationDialogs::FileDialog(const toolkit::FileRequest& request,
                                                         bool open) {
  boxes_.push_back(FileDialogLine(request, open));
  const auto answer = TakeAnswer();
  if (!answer) {
    BeforeWaiting(boxes_.back());
    return open ? inner_.OpenFile(request) : inner_.SaveFile(request);
  }
  if (const auto* file = std::get_if<FileAnswer>(&*answer)) return file->path;
  return std::nullopt;
}

std::optional<std::string> AutomationDialogs::OpenFile(const toolkit::FileRequest& request) {
  return FileDialog(request, true);
}

std::optional<std::string> AutomationDialogs::SaveFile(const toolkit::FileRequest& request) {
  return FileDialog(request, false);
}

}  // namespace audio77
