#include "toolkit/TrayIcon.h"

#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"

namespace audio77::toolkit {

TrayIcon::TrayIcon(Application& app) : app_(app) {}

void TrayIcon::SetPicture(PicturePtr picture) {
  picture_ = std::move(picture);
  Changed();
}

void TrayIcon::SetHint(std::string hint) {
  if (hint == hint_) return;
  hint_ = std::move(hint);
  Changed();
}

void TrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed();
}

void TrayIcon::DoubleClick() {
  if (!restore_on_double_click_) return;
  app_.Restore();
  if (OnRestore) OnRestore(*this);
}

void TrayIcon::RightButtonUp(Point screen) {
  if (menu_ != nullptr) menu_->Popup(screen);
}

void TrayIcon::SetChangeListener(std::function<void()> listener) {
  listener_ = std::move(listener);
}

void TrayIcon::Changed() {
  if (listener_) listener_();
}

}  // namespace audio77::toolkit
