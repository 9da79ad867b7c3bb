#include "toolkit/DialogsMessageBox.h"

namespace audio77::toolkit {

DialogsMessageBox::DialogsMessageBox(std::function<Dialogs&()> current) : current_(std::move(current)) {}

DialogsMessageBox::DialogsMessageBox(Dialogs& dialogs)
    : current_([&dialogs]() -> Dialogs& { return dialogs; }) {}

MessageAnswer DialogsMessageBox::Show(const std::string& text, const std::string& caption,
                                      MessageButtons buttons, MessageIcon icon) {
  return current_().ShowMessage({text, caption, icon, buttons});
}

}  // namespace audio77::toolkit
