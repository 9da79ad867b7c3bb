// The main window's languages: the language menu, the language file and the
// labels it dresses.
#include <map>

#include "app/AudioMainForm.h"
#include "settings/EConvertError.h"
#include "settings/UserSettings.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/PopupMenu.h"

namespace audio77 {
namespace {

// The window is not rescaled for the screen (a point is 96/72 pixels), so
// label fonts are sized for 96 pixels per inch.
constexpr int kLabelDpi = 96;

}  // namespace

void TAudioMainForm::BuildLanguageMenu() {
  ui::Language::Options options;
  options.languages_root = config_.program_folder + config_.language_folder_name + "/";
  options.folder_name = config_.language_folder_name;
  options.old_layout = state_.old_version != 0;
  options.dpi = kLabelDpi;
  options.popup = popup_menu_;
  language_.emplace(form_, language_link_, std::move(options), user_settings_);
  language_->SetName(state_.current_language);
  language_->SetResolutionFolder(state_.resolution_folder);
  auto* list = form_.Find<toolkit::DirectoryList>("DirectoryListBox");
  toolkit::MenuItem* menu = popup_menu_->Find("LanguageMenu");
  if (list == nullptr || menu == nullptr) return;
  state_.language_count = language_->BuildLanguageMenu(*list, *menu, [this](const std::string& folder) {
    return ReadRuntimeValue(*program_config_, "MultiLanguageFolderMap", folder);
  });
  for (const auto& item : menu->Items()) {
    item->OnClick = [this](toolkit::MenuItem& clicked) { LanguageMenuClick(clicked); };
  }
}

void TAudioMainForm::LanguageMenuClick(toolkit::MenuItem& item) {
  try {
    language_->LanguageMenuClick(item);
    state_.current_language = language_->Name();
  } catch (const EConvertError& error) {
    app_.GetDialogs().ShowMessage(
        {error.what(), app_.Title(), toolkit::MessageIcon::kError, toolkit::MessageButtons::kOk});
  }
}

void TAudioMainForm::LoadLanguage() {
  if (language_) language_->LoadLanguage(state_.current_language);
}

void TAudioMainForm::ApplyLabels() {
  if (language_) language_->ApplyLabels();
}

std::string TAudioMainForm::MainText(const std::string& key) const {
  if (language_ && language_->Loaded()) return language_->Record(key).caption;
  // What the window says before a language file has been read.
  static const std::map<std::string, std::string> kBuiltIn = {
      {"LabelActive", "Device connected"},
      {"LabelUnDriver", "Driver not found"},
      {"LabelUnactive", "No device"},
      {"LabelWarning", "Please connect the device first."},
      {"LabelWarning1", "This device does not support noise cancellation."},
  };
  const auto found = kBuiltIn.find(key);
  return found == kBuiltIn.end() ? std::string() : found->second;
}

ui::LabelViewState TAudioMainForm::LanguageLink::LabelView() const {
  ui::LabelViewState state;
  state.view = form_.ViewState();
  state.device_active = form_.session_.Active();
  // The values the Mic and ENC sliders stand at in this window.
  state.mic_gain = form_.microphone_.Level();
  state.enc_level = form_.noise_.Level();
  return state;
}

void TAudioMainForm::LanguageLink::LanguageChanged() {
  form_.ShowEncOrVoicePage();
  form_.ShowPage(form_.state_.current_page);
}

std::string TAudioMainForm::LanguageLink::CurrentSkin() const { return form_.state_.current_skin; }

}  // namespace audio77
