#pragma once
// Message boxes on Linux: a Qt message box while a Qt application runs,
// otherwise the text on standard error (answered with the first button).

#include "platform/MessageBox.h"

namespace audio77 {

class LinuxMessageBox final : public MessageBox {
 public:
  MessageBoxAnswer Show(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                        MessageBoxIcon icon) override;
};

}  // namespace audio77
