#include "toolkit/PopupMenu.h"

#include "toolkit/Application.h"
#include "toolkit/MenuPresenter.h"

namespace audio77::toolkit {

PopupMenu::PopupMenu(Application& app, std::string name)
    : app_(app), name_(std::move(name)), root_(name_, "", nullptr) {}

void PopupMenu::Popup(Point screen) {
  ++popups_;
  last_popup_ = screen;
  if (MenuPresenter* presenter = app_.GetMenuPresenter()) presenter->Popup(*this, screen);
}

}  // namespace audio77::toolkit
