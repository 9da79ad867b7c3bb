// The main window's profiles: the keeper, the order in which the features
// save and apply their keys, and what the keeper sees of the window.
#include <string>

#include "app/AudioMainForm.h"

namespace audio77 {

void TAudioMainForm::SetUpProfiles() {
  virtual71_.SetExcludedBy3D([this] { return rules_.ThreeDExcludesVirtual71(); });
  profile_keeper_.emplace(
      ProfileKeeperDeps{profiles_, *program_config_, platform_.folders, platform_.debug, profile_link_});
  profile_keeper_->SetFeatures({&equalizer_, &sound3d_, &effects_, &virtual71_, &lighting_, &noise_, &voice_});
}

void TAudioMainForm::ShowProfileErrorLater() { ShowProfileErrorOnceUp(profile_keeper_->LastProblem()); }

void TAudioMainForm::ShowProfileErrorOnceUp(const std::string& text) {
  app_.Loop().Post([this, text] {
    // Start-up lets messages run (the lighting's start does): the box waits
    // until start-up's device sequence has ended, so it never holds it up.
    if (sequence_depth_ > 0) return ShowProfileErrorOnceUp(text);
    profile_keeper_->ShowError(text);
  });
}

bool TAudioMainForm::ProfileLink::DeviceHidPresent() { return form_.session_.OpenHid() != nullptr; }

void TAudioMainForm::ProfileLink::BeforeApply() {
  // Without an active device nothing may reach the chip's registers.
  if (!form_.session_.Active()) form_.session_.SetActive(false);
}

void TAudioMainForm::ProfileLink::AfterApply() {
  form_.ShowPresetButtons(form_.equalizer_.CurrentPreset());
  form_.ShowPage(form_.state_.current_page);
}

void TAudioMainForm::ProfileLink::SetProfileSaving(bool saving) { form_.equalizer_.SetProfileSaving(saving); }

std::string TAudioMainForm::ProfileLink::UserFolderName() const { return form_.state_.user_folder_name; }

std::string TAudioMainForm::ProfileLink::Title() const { return form_.app_.Title(); }

toolkit::Dialogs& TAudioMainForm::ProfileLink::Dialogs() { return form_.app_.GetDialogs(); }

}  // namespace audio77
