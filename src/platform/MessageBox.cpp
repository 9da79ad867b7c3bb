#include "platform/MessageBox.h"

namespace audio77 {

MessageAnswer DismissAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
      return MessageAnswer::kOk;
    case MessageButtons::kYesNo:
      return MessageAnswer::kNo;
    case MessageButtons::kAbortRetryIgnore:
      return MessageAnswer::kAbort;
    case MessageButtons::kOkCancel:
    case MessageButtons::kYesNoCancel:
    case MessageButtons::kRetryCancel:
      return MessageAnswer::kCancel;
  }
  return MessageAnswer::kCancel;
}

}  // namespace audio77
