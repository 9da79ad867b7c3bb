#pragma once
// The message boxes of the layers below the toolkit (the device library's
// binding error, the entry point's start-up error) shown through the
// toolkit's dialogs, so there is one place that shows, scripts and records
// boxes.

#include <functional>

#include "platform/MessageBox.h"
#include "toolkit/Dialogs.h"

namespace audio77::toolkit {

class DialogsMessageBox final : public MessageBox {
 public:
  // Shows every box on the dialogs current at that moment (the application's
  // change when a presentation is attached or removed).
  explicit DialogsMessageBox(std::function<Dialogs&()> current);
  // Always the same dialogs, which must outlive this object.
  explicit DialogsMessageBox(Dialogs& dialogs);

  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) override;

 private:
  std::function<Dialogs&()> current_;
};

}  // namespace audio77::toolkit
