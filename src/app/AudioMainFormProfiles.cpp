// The main window's profiles: the keeper, the order in which the features
// save and apply their keys, and what the keeper sees of the window.
#include <string>

#include "app/AudioMainForm.h"
#include "toolkit/Image.h"

namespace audio77 {
namespace {

using Kind = RetainedProfileKeys::Kind;
using Range = RetainedProfileKeys::Range;

// The LED page's knobs (breathe, rainbow, multi-breathe) by profile key.
constexpr std::pair<const char*, const char*> kLedKnobs[] = {{"LEDBreatheSliderPos", "ColorBreatheSliderImage"},
                                                             {"LEDRainbowSliderPos", "ColorRainbowSliderImage"},
                                                             {"LEDMultiBreatheSliderPos", "ColorPulsatingSliderImage"}};

constexpr long long kColourMax = 0xFFFFFF;
constexpr Range kSwitch{0, 1, 0};
constexpr Range kSpeed{1, 255, std::nullopt};
constexpr Range kColour{0, kColourMax, std::nullopt};

}  // namespace

void TAudioMainForm::SetUpProfiles() {
  std::vector<RetainedProfileKeys::Key> led = {
      {"LED", "LEDPageMode", "0", Kind::kNumber, std::nullopt},
      {"LED", "LEDOff", "0", Kind::kNumber, kSwitch},
      {"LED", "LEDSingleColor", "0", Kind::kNumber, kSwitch},
      {"LED", "LEDEffectMode", "0", Kind::kNumber, Range{0, 3, 0}},
      {"LED", "LEDBreatheSpeed", "1", Kind::kNumber, kSpeed},
      {"LED", "LEDRainbowSpeed", "1", Kind::kNumber, kSpeed},
      {"LED", "LEDMultiBreatheSpeed", "1", Kind::kNumber, kSpeed},
  };
  for (const auto& [key, image] : kLedKnobs) {
    const toolkit::Image* knob = form_.Find<toolkit::Image>(image);
    led.push_back({"LED", key, std::to_string(knob != nullptr ? knob->Left() : 0), Kind::kNumber, std::nullopt});
  }
  // The colours every skin load starts from.
  const std::pair<const char*, long long> colours[] = {
      {"LEDSingleColorRGB", 0x0000FF}, {"LEDBreatheColorRGB", 0x0000FF}, {"LEDColor1RGB", 0x0000FF},
      {"LEDColor2RGB", 0xFFFF00},      {"LEDColor3RGB", 0x00FFFF},       {"LEDColor4RGB", 0xFFFFFF},
      {"LEDColor5RGB", 0x00FF00},      {"LEDColor6RGB", 0xFF0000},       {"LEDColor7RGB", 0xFF00FF}};
  for (const auto& [key, colour] : colours) led.push_back({"LED", key, std::to_string(colour), Kind::kNumber, kColour});
  led.push_back({"LED", "LEDFastRightSide", "0", Kind::kNumber, kSwitch});
  led_keys_.emplace("LightingPage", std::move(led));

  virtual71_.SetExcludedBy3D([this] { return rules_.ThreeDExcludesVirtual71(); });
  profile_keeper_.emplace(
      ProfileKeeperDeps{profiles_, *program_config_, platform_.folders, platform_.debug, profile_link_});
  profile_keeper_->SetFeatures({&equalizer_, &sound3d_, &effects_, &virtual71_, &lighting_, &*led_keys_, &noise_,
                                &voice_});
}

void TAudioMainForm::ShowProfileErrorLater() {
  app_.Loop().Post([this, text = profile_keeper_->LastProblem()] { profile_keeper_->ShowError(text); });
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
