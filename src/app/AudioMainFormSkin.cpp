// The main window's skin: the menu, the start-up steps that read and show it,
// and what the window does after a change of skin.
#include <exception>
#include <initializer_list>

#include "app/AudioMainForm.h"
#include "settings/EConvertError.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/MenuItem.h"
#include "toolkit/PopupMenu.h"

namespace audio77 {

void TAudioMainForm::BuildSkinMenu() {
  auto* folders = form_.Find<toolkit::DirectoryList>("DirectoryListBox");
  toolkit::MenuItem* menu = popup_menu_->Find("SkinMenu");
  if (folders == nullptr || menu == nullptr) return;
  state_.skin_count = skin_.BuildSkinMenu(*folders, *menu);
  for (const auto& item : menu->Items()) {
    item->OnClick = [this](toolkit::MenuItem& clicked) { SkinMenuClick(clicked); };
  }
}

void TAudioMainForm::StartSkin() {
  // A skin that fails falls back to one that loads; the box waits for the window.
  ShowChoiceProblemLater(skin_.StartSkin());
  state_.current_skin = skin_.Name();
}

void TAudioMainForm::ShowChoiceProblem(const std::string& text) {
  if (text.empty()) return;
  platform_.debug.Write(text);
  ShowChoiceProblemBox(text);
}

void TAudioMainForm::ShowChoiceProblemLater(const std::string& text) {
  if (text.empty()) return;
  platform_.debug.Write(text);
  // Start-up lets messages run (the lighting's start does): a box shown then
  // would hold start-up, and scripts, before the window is up.
  start_notices_.push_back(text);
}

void TAudioMainForm::ShowStartNotices() {
  for (const std::string& text : start_notices_) app_.Loop().Post([this, text] { ShowChoiceProblemBox(text); });
  start_notices_.clear();
}

void TAudioMainForm::ShowChoiceProblemBox(const std::string& text) {
  app_.GetDialogs().ShowMessage({text, app_.Title(), toolkit::MessageIcon::kWarning, toolkit::MessageButtons::kOk});
}

void TAudioMainForm::SkinMenuClick(toolkit::MenuItem& item) {
  try {
    const std::string unsaved = skin_.SkinMenuClick(item);
    state_.current_skin = skin_.Name();
    ShowChoiceProblem(unsaved);
  } catch (const std::exception& error) {
    // The previous skin is still whole: the error is only reported.
    app_.GetDialogs().ShowMessage(
        {error.what(), app_.Title(), toolkit::MessageIcon::kError, toolkit::MessageButtons::kOk});
  }
}

ui::SkinViewState TAudioMainForm::ViewState() const {
  ui::SkinViewState view;
  for (const Feature* feature : std::initializer_list<const Feature*>{
           &lighting_, &equalizer_, &sound3d_, &effects_, &microphone_, &virtual71_}) {
    feature->Describe(view);
  }
  view.page = static_cast<std::int32_t>(state_.current_page);
  return view;
}

std::int32_t TAudioMainForm::RegionCut() const {
  // Start-up reads the switch strictly; a change of skin reads it again, leniently.
  if (constructed_ < kStepComplete) return runtime_.region_cut;
  return ReadRegionCutLenient(*program_config_);
}

void TAudioMainForm::ReplaceSpeakers(double ratio) { virtual71_.ReplaceSpeakers(ratio); }

void TAudioMainForm::SkinChanged() {
  ApplyLabels();
  ShowEncOrVoicePage();
  lighting_.SkinLoaded(skin_.Geometry().led_page_mode, skin_.Geometry().led_fast_right_side);
  ShowPage(state_.current_page);
}

void TAudioMainForm::ShowEncOrVoicePage() {
  // A new skin or language draws these pages' switches off and the ENC knob
  // at its design place: the page showing gets its state back at once.
  if (state_.current_page == Page::kNoiseCancellation) noise_.ShowEnc();
  if (state_.current_page == Page::kVoiceEffect) voice_.ShowVoiceMagic();
}

}  // namespace audio77
