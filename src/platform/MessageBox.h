#pragma once
// Modal message boxes: the buttons, icons and answers every layer uses, and
// the narrow interface the layers below the window toolkit show a box
// through. The toolkit's dialogs are behind it (toolkit/DialogsMessageBox.h),
// so a box of the device layer looks and answers like any other.

#include <string>

namespace audio77 {

enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel, kRetryCancel, kAbortRetryIgnore };
enum class MessageIcon { kNone, kError, kWarning, kInformation, kQuestion };
// The answers carry the window system's numbers (1 OK ... 7 No).
enum class MessageAnswer {
  kOk = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7
};

// The answer a box gives when it is closed without a choice: OK for a box
// that has only OK, No for Yes/No, Abort for Abort/Retry/Ignore, otherwise
// Cancel.
MessageAnswer DismissAnswer(MessageButtons buttons);

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Call on the UI thread; returns when the user has answered.
  virtual MessageAnswer Show(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) = 0;
};

}  // namespace audio77
