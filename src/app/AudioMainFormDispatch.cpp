// The window's buttons, switches and page tabs: every image and label of the
// window carries a Tag, and two shared handlers act on it. The pictures and
// colours are the view's; the work behind a Tag is a feature's.
#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "app/AudioMainForm.h"
#include "app/MainFormResource.h"
#include "settings/IntegerText.h"
#include "settings/RuntimeConfig.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "ui/MomentaryButtons.h"
#include "ui/PageTabs.h"
#include "ui/PageVisibility.h"
#include "ui/PresetButtons.h"
#include "ui/SkinPlan.h"
#include "ui/SwitchPictures.h"

namespace audio77 {
namespace {

bool IsLedSpeedKnob(std::string_view name) {
  return name == "ColorBreatheSliderImage" || name == "ColorRainbowSliderImage" ||
         name == "ColorPulsatingSliderImage";
}

bool IsSwatch(std::string_view name) {
  for (std::string_view swatch : {"Color01Shape", "Color02Shape", "Color03Shape", "Color04Shape", "Color05Shape",
                                  "Color06Shape", "Color07Shape", "ColorBreatheShape", "ColorSingleShape"}) {
    if (name == swatch) return true;
  }
  return false;
}

}  // namespace

void TAudioMainForm::RegisterActions() {
  using Run = std::function<void(int)>;
  actions_ = {
      {Action::kClose, [this](int) { SendToTray(); }},
      {Action::kMinimize, [this](int) { MinimizeToTaskbar(); }},
      {Action::kEqReset, [this](int) { if (session_.Active()) rules_.ResetEqualizer(); }},
      {Action::k3DReset, [this](int) { if (session_.Active()) sound3d_.Reset3D(); }},
      {Action::kVirtualReset, [this](int) { if (session_.Active() && !BeeChecked()) virtual71_.ResetVirtual(); }},
      {Action::kEqEnable, [this](int) { equalizer_.ToggleEqEnable(); }},
      {Action::k3DEnable, [this](int) { rules_.Toggle3DEnable(); }},
      {Action::kPreset, Run([this](int preset) {
         equalizer_.SelectEqPreset(preset);
         ShowPresetButtons(preset);
       })},
      {Action::kFbm, [this](int) { sound3d_.ToggleFbm(); }},
      {Action::kAlphaLink, [this](int) { sound3d_.CycleAlphaLink(); }},
      {Action::kBetaLink, [this](int) { sound3d_.CycleBetaLink(); }},
      {Action::kEffect, [this](int effect) { effects_.SelectEffect(effect); }},
      {Action::kMicBoost, [this](int) { microphone_.ToggleBoost(); }},
      {Action::kMicMute, [this](int) { microphone_.ToggleMute(); }},
      {Action::kMicMonitor, [this](int) { microphone_.ToggleMonitor(); }},
      {Action::kVirtualEnable, [this](int) { rules_.ToggleVirtual71(); }},
      {Action::kSpeakerRelease, [this](int) { virtual71_.SpeakerReleased(); }},
      {Action::kBeeTest, [this](int) { if (bee_test_) bee_test_->CheckBoxClicked(BeeChecked()); }},
      {Action::kLatch, [this](int which) { if (!BeeChecked()) virtual71_.PressAnimationSwitch(which); }},
      {Action::kSaveProfile, [this](int) { profile_keeper_->SaveProfileAs(); }},
      {Action::kLoadProfile, [this](int) { profile_keeper_->OpenProfile(); }},
      {Action::kEncSwitch, [this](int) { noise_.SwitchClicked(); }},
      {Action::kVoiceSwitch, [this](int) { voice_.SwitchClicked(); }},
      {Action::kVoiceEffect, [this](int effect) { voice_.EffectClicked(effect); }},
      {Action::kAbout, [this](int) { ShowAbout(); }},
      {Action::kLedButton, Run([this](int held) {
         const FeatureResult result = held == 1 ? lighting_.PressLedButton() : lighting_.ReleaseLedButton();
         result.Ignore("the button shows the press whether or not the line followed");
       })},
      {Action::kLedCheck, [this](int check) { lighting_.CheckClick(static_cast<LedCheck>(check)); }},
      {Action::kLedSwatch, [this](int swatch) { lighting_.SwatchMouseDown(swatch); }},
      {Action::kLedTab, [this](int label) { LedTabClick(label == 1); }},
  };
}

void TAudioMainForm::LedTabClick(bool label) {
  if (lighting_.LedTabClick(label) != Lighting::TabResult::kOpenDialog) return;
  // The dialog runs its own loop: the click that opens it ends first.
  app_.Loop().Post([this] {
    if (!destroyed_) lighting_.ShowDialog();
  });
}

void TAudioMainForm::RunAction(const ControlResource& row, int arg) {
  const auto found = actions_.find(row.action);
  if (found != actions_.end()) found->second(arg);
}

void TAudioMainForm::AttachHandlers() {
  using toolkit::Control;
  using toolkit::MouseEvent;
  RegisterActions();
  for (const ControlResource& row : MainFormControls()) {
    Control* control = form_.FindControl(row.name);
    if (control == nullptr) continue;
    if (row.name == "ENCSliderImage") {
      control->OnMouseDown = [this](Control& c, const MouseEvent& e) { OnEncKnobMouseDown(c, e); };
      control->OnMouseMove = [this](Control& c, const MouseEvent& e) { OnEncKnobMouseMove(c, e); };
      control->OnMouseUp = [this](Control& c, const MouseEvent& e) { OnEncKnobMouseUp(c, e); };
      continue;
    }
    if (IsLedSpeedKnob(row.name)) {
      control->OnMouseDown = [this](Control& c, const MouseEvent& e) { OnLedSpeedMouseDown(c, e); };
      control->OnMouseMove = [this](Control& c, const MouseEvent& e) { OnLedSpeedMouseMove(c, e); };
      control->OnMouseUp = [this](Control& c, const MouseEvent& e) { OnLedSpeedMouseUp(c, e); };
      continue;
    }
    const ControlResource* own = &row;
    switch (row.behaviour) {
      case Behaviour::kNone:
        break;
      case Behaviour::kForward:
        control->OnClick = [this, own](Control&) { ClickRow(ImageRowOf(*own)); };
        [[fallthrough]];
      case Behaviour::kForwardPress:
        control->OnMouseDown = [this, own](Control&, const MouseEvent&) { PressRow(ImageRowOf(*own)); };
        control->OnMouseUp = [this, own](Control&, const MouseEvent&) { ReleaseRow(ImageRowOf(*own)); };
        break;
      case Behaviour::kSelectPage:
        control->OnMouseDown = [this, own](Control&, const MouseEvent&) { SelectPage(own->tag); };
        if (row.action != Action::kNone) control->OnClick = [this, own](Control&) { ClickRow(own); };
        break;
      case Behaviour::kRelease:
        control->OnMouseUp = [this, own](Control&, const MouseEvent&) { ReleaseRow(own); };
        break;
      case Behaviour::kClick:
        control->OnClick = [this, own](Control&) { ClickRow(own); };
        break;
      case Behaviour::kTab:
      case Behaviour::kTabKeptDown:
        if (row.action != Action::kNone) control->OnClick = [this, own](Control&) { ClickRow(own); };
        control->OnMouseDown = [this, own](Control&, const MouseEvent&) { PressRow(own); };
        control->OnMouseUp = [this, own](Control&, const MouseEvent&) { ReleaseRow(own); };
        break;
      case Behaviour::kMomentary:
      case Behaviour::kMomentaryUnlessBee:
        control->OnClick = [this, own](Control&) { ClickRow(own); };
        [[fallthrough]];
      default:
        control->OnMouseDown = [this, own](Control&, const MouseEvent&) { PressRow(own); };
        control->OnMouseUp = [this, own](Control&, const MouseEvent&) { ReleaseRow(own); };
        break;
    }
  }
}

const ControlResource* TAudioMainForm::ImageRowOf(const ControlResource& label) const {
  const toolkit::Image* image = FindImageByTag(label.tag);
  return image != nullptr ? FindControlResource(image->Name()) : nullptr;
}

void TAudioMainForm::ShowWarning(const char* record) {
  gesture_warned_ = true;
  app_.GetDialogs().ShowMessage(
      {MainText(record), app_.Title(), toolkit::MessageIcon::kWarning, toolkit::MessageButtons::kOk});
}

void TAudioMainForm::PressRow(const ControlResource* row) {
  if (row == nullptr) return;
  if (!row->works_without_device && !session_.Active()) {
    ShowWarning("LabelWarning");
    return;
  }
  switch (row->behaviour) {
    case Behaviour::kMomentaryUnlessBee:
      if (BeeChecked()) return;
      [[fallthrough]];
    case Behaviour::kMomentary:
    case Behaviour::kMomentaryReleaseActs:
      ui::MomentaryButtons::Press(View(), row->tag);
      return;
    case Behaviour::kPress:
      RunAction(*row, row->arg);
      return;
    case Behaviour::kHold:
      RunAction(*row, 1);
      return;
    case Behaviour::kTab:
    case Behaviour::kTabKeptDown:
      PressTab(row->tag);
      return;
    default:
      return;
  }
}

void TAudioMainForm::ReleaseRow(const ControlResource* row) {
  // The release of a press that was refused with a warning does nothing.
  if (gesture_warned_ || row == nullptr) return;
  switch (row->behaviour) {
    case Behaviour::kMomentaryUnlessBee:
      if (BeeChecked()) return;
      [[fallthrough]];
    case Behaviour::kMomentary:
      ui::MomentaryButtons::Release(View(), row->tag);
      return;
    case Behaviour::kMomentaryReleaseActs:
      ui::MomentaryButtons::Release(View(), row->tag);
      RunAction(*row, row->arg);
      return;
    case Behaviour::kHold:
    case Behaviour::kRelease:
      RunAction(*row, 0);
      return;
    case Behaviour::kTabKeptDown: {
      const ui::PageTabRow* tab = ui::PageTabs::FindByTag(row->tag);
      const bool led = tab->page == static_cast<int>(Page::kLed);
      if (led && !lighting_.PageEnabled()) {
        View().ShowSkinEntry(std::string(tab->image), std::string(tab->up_key));
      } else if (session_.Active()) {
        View().ShowSkinEntry(std::string(tab->image), std::string(tab->down_key));
      } else if (!led) {
        View().ShowSkinEntry(std::string(tab->image), std::string(tab->up_key));
      }
      return;
    }
    default:
      return;
  }
}

void TAudioMainForm::ClickRow(const ControlResource* row) {
  if (gesture_warned_ || row == nullptr) return;
  RunAction(*row, row->arg);
}

int TAudioMainForm::FlipSwitch(int tag, int state) { return ui::SwitchPictures::Flip(View(), form_, tag, state); }

bool TAudioMainForm::BeeChecked() const {
  const auto* bee = form_.Find<toolkit::CheckBox>("BeeCheckBox");
  return bee != nullptr && bee->Checked();
}

bool TAudioMainForm::BeeConfigured() const {
  // Read at every call: the file may be edited while the program runs.
  if (!program_config_) return false;
  return StrToIntDef(ReadRuntimeValue(*program_config_, "Version", "Bee"), 0) == 1;
}

void TAudioMainForm::ShowPresetButtons(int preset) { ui::PresetButtons::Show(View(), form_, preset); }

void TAudioMainForm::ShowPageTabs(int page) { ui::PageTabs::Show(View(), page); }

void TAudioMainForm::PressTab(int tag) {
  const ui::PageTabRow* tab = ui::PageTabs::FindByTag(tag);
  if (tab == nullptr) return;
  const auto page = static_cast<Page>(tab->page);
  if (page == Page::kLed && !lighting_.PageEnabled()) return;
  ShowPageTabs(tab->page);
  if (KeepsDownPicture(page)) View().ShowSkinEntry(std::string(tab->image), std::string(tab->down_key));
  SelectPage(tag);
}

bool TAudioMainForm::KeepsDownPicture(Page page) {
  return page == Page::kVoiceEffect || page == Page::kNoiseCancellation || page == Page::kLed;
}

void TAudioMainForm::SelectPage(int tab_tag) {
  if (!session_.Active()) {
    ShowWarning("LabelWarning");
    return;
  }
  const ui::PageTabRow* tab = ui::PageTabs::FindByTag(tab_tag);
  if (tab == nullptr) return;
  const auto page = static_cast<Page>(tab->page);
  switch (page) {
    case Page::kLed:
      if (lighting_.PageEnabled()) {
        state_.current_page = page;
        ShowPageTabs(tab->page);
      }
      break;
    case Page::kVoiceEffect:
      state_.current_page = page;
      ShowPageTabs(tab->page);
      voice_.ShowVoiceMagic();
      break;
    case Page::kNoiseCancellation:
      state_.current_page = page;
      ShowPageTabs(tab->page);
      noise_.ShowEnc();
      break;
    default:
      state_.current_page = page;
      ShowPageTabs(tab->page);
      app_.Loop().ProcessPending();
      break;
  }
  app_.Loop().ProcessPending();
  ShowPage(state_.current_page);
  microphone_.PageShown(static_cast<int>(state_.current_page));
  // The tabs of the left group and the LED tab take their labels' colours.
  for (Page other : {Page::kEqualizer, Page::kSound3D, Page::kEffect, Page::kMicrophone, Page::kLed}) {
    View().HighlightLabel(ui::PageTabs::FindByPage(static_cast<int>(other))->tag, false,
                          std::string(ui::PageTabs::kLabelRecord));
  }
  View().HighlightLabel(tab_tag, true, std::string(ui::PageTabs::kLabelRecord));
}

void TAudioMainForm::ShowPage(Page page) {
  using Rule = ui::PageMembership::Rule;
  // With a skin shown, an image goes by the entry of its current state: its
  // picture and its page. Before one, by the design.
  std::map<const toolkit::Control*, const ui::SkinEntry*> entries;
  std::optional<ui::SkinPlan> plan;
  const auto* background = form_.Find<toolkit::Image>("MainFormImage");
  if (background != nullptr && background->HasPicture()) {
    plan.emplace(form_, skin_.Table(), ViewState());
    for (const auto& step : plan->Steps()) entries[step.image] = &step.entry;
  }
  auto membership = [this, &entries](const toolkit::Control& control) -> ui::PageMembership {
    const ControlResource* row = FindControlResource(control.Name());
    if (row == nullptr || row->hidden) return {};
    if (row->name == "BeeCheckBox") return {Rule::kBee, true, row->page};
    if (row->kind == ResourceKind::kShape) return IsSwatch(row->name) ? ui::PageMembership{Rule::kSwatch, true, row->page} : ui::PageMembership{};
    const Rule rule = row->page == pages::kLed ? Rule::kLedPage : Rule::kPage;
    if (row->kind == ResourceKind::kLabel) {
      // A label the language file dresses goes by its record: its caption
      // and its page (the section's, or the one the value names).
      if (const ui::LabelRecord* record = PageRecordOf(row->name)) return {rule, record->Shows(), record->page};
      const auto* label = dynamic_cast<const toolkit::Label*>(&control);
      return {rule, label != nullptr && ui::PageVisibility::CaptionShows(label->Caption()), row->page};
    }
    if (row->kind != ResourceKind::kImage) return {};
    // The left column's picture follows the page tabs.
    if (row->name == "MainLeftImage") return {};
    const auto found = entries.find(&control);
    // The 3D page's images lie over the EQ page's buttons: they show only on
    // their own page, whatever page the skin gives them.
    if (row->page == pages::k3D) {
      return {rule, found == entries.end() || !found->second->file.empty(), pages::k3D};
    }
    if (found != entries.end()) return {rule, !found->second->file.empty(), found->second->page};
    return {rule, true, row->page};
  };
  ui::PageVisibility::Show(form_, static_cast<int>(page), lighting_.PageEnabled(), BeeConfigured(), membership);
}

const ui::LabelRecord* TAudioMainForm::PageRecordOf(std::string_view label) const {
  if (!language_ || !language_->Loaded()) return nullptr;
  if (label == "DeviceActiveLabel") return &language_->Record(session_.Active() ? "LabelActive" : "LabelUnactive");
  return language_->RecordOfLabel(label);
}

}  // namespace audio77
