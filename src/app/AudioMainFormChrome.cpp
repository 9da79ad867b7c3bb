// The window's chrome: moving it by its background, the tray icon that
// brings it back, and where it goes when it is sent away.
#include "app/AudioMainForm.h"
#include "toolkit/Image.h"
#include "toolkit/MenuItem.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TrayIcon.h"

namespace audio77 {
namespace {

// The parts of the window that move it when dragged.
constexpr const char* kBackgrounds[] = {"MainFormImage", "MainLeftImage", "DeviceActiveImage", "LogoImage"};

}  // namespace

void TAudioMainForm::AttachChrome() {
  auto move = [this](const toolkit::MouseEvent& event) {
    if (event.button != toolkit::MouseButton::kLeft) return;
    if (led_dialog_shown_ && led_dialog_shown_()) return;
    form_.StartSystemMove();
  };
  form_.OnMouseDown = [move](toolkit::Form&, const toolkit::MouseEvent& event) { move(event); };
  for (const char* name : kBackgrounds) {
    if (auto* image = form_.Find<toolkit::Image>(name)) {
      image->OnMouseDown = [move](toolkit::Control&, const toolkit::MouseEvent& event) { move(event); };
    }
  }
  tray_icon_->SetRestoreOnDoubleClick(true);
  tray_icon_->OnRestore = [this](toolkit::TrayIcon&) { TrayIconRestore(); };
}

void TAudioMainForm::TrayIconRestore() {
  // While a plug-in runs the program stays in the tray.
  if (PluginChecked()) {
    SendToTray();
    return;
  }
  form_.Show();
  form_.Restore();
  form_.Activate();
}

bool TAudioMainForm::PluginChecked() const {
  toolkit::MenuItem* plugins = popup_menu_ ? popup_menu_->Find("ModeMenu") : nullptr;
  if (plugins == nullptr) return false;
  for (const auto& item : plugins->Items()) {
    if (item->Checked()) return true;
  }
  return false;
}

void TAudioMainForm::SendToTray() {
  // Where the desktop has no notification area the window only minimises, so
  // it can always be brought back.
  if (tray_icon_ != nullptr && tray_icon_->Visible() && tray_available_) {
    form_.Hide();
  } else {
    form_.Minimize();
  }
}

void TAudioMainForm::MinimizeToTaskbar() { form_.Minimize(); }

}  // namespace audio77
