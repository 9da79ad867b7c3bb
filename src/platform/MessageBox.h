#pragma once
// Modal message boxes (until the window toolkit takes them over).

#include <string>

namespace audio77 {

enum class MessageBoxButtons { kOk, kOkCancel, kYesNo, kYesNoCancel, kRetryCancel };
enum class MessageBoxIcon { kNone, kError, kWarning, kInformation, kQuestion };
// The answers carry the platform's numbers (IDOK = 1 ... IDNO = 7).
enum class MessageBoxAnswer { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual MessageBoxAnswer Show(const std::string& text, const std::string& caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
};

}  // namespace audio77
