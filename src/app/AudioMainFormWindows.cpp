// The main window's ties to the windows and programs around it: the about
// window and the tray's plug-in entries.
#include "app/AudioMainForm.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/PopupMenu.h"
#include "windows/AboutForm.h"

namespace audio77 {

void TAudioMainForm::BuildPluginMenu() {
  plugin_menu_.emplace(
      PluginMenu::Services{platform_.bus, platform_.clock, platform_.debug, platform_.shell, app_.Boxes(), profiles_},
      PluginMenu::Places{config_.program_folder + config_.plugin_folder_name + "/", config_.plugin_folder_name,
                         config_path_, app_.Title()},
      PluginMenu::WindowHooks{[this] { app_.Loop().ProcessPending(); }, [this] { SendToTray(); }});
  auto* list = form_.Find<toolkit::DirectoryList>("DirectoryListBox");
  toolkit::MenuItem* menu = popup_menu_->Find("ModeMenu");
  if (list == nullptr || menu == nullptr) return;
  state_.plugin_count = plugin_menu_->Build(*list, *menu);
}

std::string TAudioMainForm::AboutLogoPath() const {
  const std::string& file = skin_.Table().Get("About", "LogoImage").file;
  return file.empty() ? std::string() : skin_.Folder() + file;
}

void TAudioMainForm::ShowAbout() {
  if (!session_.Active() || about_window_ == nullptr) return;
  // The window is modal: it opens once the release that asked for it has
  // been handled, so that gesture ends as every other one does.
  app_.Loop().Post([this] {
    if (about_window_ == nullptr || !language_ || !session_.Active()) return;
    about_window_->Form().SetOwnerForm(&form_);
    about_window_->ShowAbout(*language_, AboutLogoPath());
  });
}

}  // namespace audio77
