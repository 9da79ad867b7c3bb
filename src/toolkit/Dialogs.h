#pragma once
// The window system's standard dialogs: message boxes and the colour, open and
// save dialogs. The Qt presentation shows real ones; tests script the answers
// in advance and read what was shown.

#include <optional>
#include <string>

#include "platform/MessageBox.h"
#include "toolkit/Color.h"

namespace audio77::toolkit {

// The one set of buttons, icons and answers of the program.
using audio77::DismissAnswer;
using audio77::MessageAnswer;
using audio77::MessageButtons;
using audio77::MessageIcon;

struct MessageRequest {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
  friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

struct ColorRequest {
  Color initial = kBlack;
  friend bool operator==(const ColorRequest&, const ColorRequest&) = default;
};

// Filter in the "Description|*.ext;*.other|All files|*.*" form.
struct FileRequest {
  std::string title;
  std::string initial_folder;
  std::string file_name;
  std::string filter;
  std::string default_extension;  // without the dot; added when the user typed none
  friend bool operator==(const FileRequest&, const FileRequest&) = default;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
  // The chosen colour, or nothing when cancelled.
  virtual std::optional<Color> ChooseColor(const ColorRequest& request) = 0;
  // The chosen file's full path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const FileRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileRequest& request) = 0;

  // The innermost dialog shown by this object and still waiting for a person
  // takes this answer as if the person had given it. False when no dialog
  // waits, or the one that waits is of another kind.
  virtual bool AnswerWaitingMessage(MessageAnswer) { return false; }
  // A path, or nothing for Cancel, for an open or save dialog.
  virtual bool AnswerWaitingFile(const std::optional<std::string>&) { return false; }
  // A colour, or nothing for Cancel.
  virtual bool AnswerWaitingColor(std::optional<Color>) { return false; }
};

}  // namespace audio77::toolkit
