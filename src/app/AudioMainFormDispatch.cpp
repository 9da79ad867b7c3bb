// The window's buttons, switches and page tabs: every image and label of the
// window carries a Tag, and two shared handlers act on it. The pictures and
// colours are the view's; the work behind a Tag is a feature's.
#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "app/AudioMainForm.h"
#include "app/MainFormResource.h"
#include "device/HidTransport.h"
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

// Presses that need no device.
bool PressNeedsDevice(int tag) {
  constexpr std::array kFree{4, 14, 15, 28, 29, 49, 50};
  return tag > 1 && std::find(kFree.begin(), kFree.end(), tag) == kFree.end();
}

bool IsTabTag(int tag) { return ui::PageTabs::FindByTag(tag) != nullptr; }

// Images whose press and release the shared handlers take. Tag 0 is shared by
// backgrounds and the 3D page's switch: only `CloseImage` is the close button.
bool DispatchedImage(const ControlResource& row) {
  const int tag = row.tag;
  if (tag == 0) return row.name == "CloseImage";
  return (tag >= 1 && tag <= 27) || (tag >= 39 && tag <= 53) || tag == 89 ||
         (tag >= 226 && tag <= 228);
}

// Labels that forward to the image with their Tag (tab labels select pages).
bool ForwardingLabel(const ControlResource& row) {
  const int tag = row.tag;
  return (tag >= 2 && tag <= 22) || (tag >= 47 && tag <= 53) || tag == 89;
}

bool IsResetLabel(std::string_view name) {
  return name == "EQResetLabel" || name == "D3ResetLabel" || name == "VirtualResetLabel";
}

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

void TAudioMainForm::AttachHandlers() {
  using toolkit::Control;
  using toolkit::MouseEvent;
  auto image_down = [this](Control& c, const MouseEvent& e) { OnImageMouseDown(c, e); };
  auto image_up = [this](Control& c, const MouseEvent& e) { OnImageMouseUp(c, e); };
  for (const ControlResource& row : MainFormControls()) {
    Control* control = form_.FindControl(row.name);
    if (control == nullptr) continue;
    if (row.name == "D33DENImage" || row.name == "D33DENLabel") {
      control->OnMouseDown = [this](Control& c, const MouseEvent& e) { On3DPageEnableMouseDown(c, e); };
      continue;
    }
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
    if (row.kind == ResourceKind::kImage && DispatchedImage(row)) {
      // The speaker icons' presses belong to the hook (it starts their drag).
      if (row.tag < 39 || row.tag > 46) control->OnMouseDown = image_down;
      control->OnMouseUp = image_up;
      const int tag = row.tag;
      if (tag <= 1 || tag == 5 || tag == 6 || tag == 48) control->OnClick = [this, tag](Control&) { ClickImage(tag); };
    } else if (row.kind == ResourceKind::kLabel && IsTabTag(row.tag)) {
      control->OnMouseDown = [this](Control& c, const MouseEvent& e) { OnLabelPageMouseDown(c, e); };
    } else if (row.kind == ResourceKind::kLabel && ForwardingLabel(row)) {
      control->OnMouseDown = [this](Control& c, const MouseEvent& e) { OnLabelMouseDown(c, e); };
      control->OnMouseUp = [this](Control& c, const MouseEvent& e) { OnLabelMouseUp(c, e); };
      if (IsResetLabel(row.name)) {
        const int tag = row.tag;
        control->OnClick = [this, tag](Control&) { ClickImage(tag); };
      }
    }
  }
}

void TAudioMainForm::ShowWarning(const char* record) {
  gesture_warned_ = true;
  app_.GetDialogs().ShowMessage(
      {MainText(record), app_.Title(), toolkit::MessageIcon::kWarning, toolkit::MessageButtons::kOk});
}

void TAudioMainForm::OnImageMouseDown(toolkit::Control& sender, const toolkit::MouseEvent&) { PressImage(sender); }

void TAudioMainForm::OnImageMouseUp(toolkit::Control& sender, const toolkit::MouseEvent&) { ReleaseImage(sender); }

void TAudioMainForm::OnLabelMouseDown(toolkit::Control& sender, const toolkit::MouseEvent&) {
  if (toolkit::Image* image = FindImageByTag(sender.Tag())) PressImage(*image);
}

void TAudioMainForm::OnLabelMouseUp(toolkit::Control& sender, const toolkit::MouseEvent&) {
  if (toolkit::Image* image = FindImageByTag(sender.Tag())) ReleaseImage(*image);
}

void TAudioMainForm::OnLabelPageMouseDown(toolkit::Control& sender, const toolkit::MouseEvent&) {
  SelectPage(sender.Tag());
}

void TAudioMainForm::On3DPageEnableMouseDown(toolkit::Control&, const toolkit::MouseEvent&) {
  if (!session_.Active()) {
    ShowWarning("LabelWarning");
    return;
  }
  rules_.Toggle3DEnable();
}

void TAudioMainForm::PressImage(toolkit::Control& image) {
  const int tag = image.Tag();
  if (PressNeedsDevice(tag) && !session_.Active()) {
    ShowWarning("LabelWarning");
    return;
  }
  switch (tag) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6:
      ui::MomentaryButtons::Press(View(), tag);
      return;
    case 48:
      if (!BeeChecked()) ui::MomentaryButtons::Press(View(), tag);
      return;
    case 7:
      equalizer_.ToggleEqEnable();
      return;
    case 8:
      rules_.Toggle3DEnable();
      return;
    case 9: case 10: case 11: case 12:
      equalizer_.SelectEqPreset(tag - 8);
      ShowPresetButtons(tag - 8);
      return;
    case 13:
      sound3d_.ToggleFbm();
      return;
    case 14:
      sound3d_.CycleAlphaLink();
      return;
    case 15:
      sound3d_.CycleBetaLink();
      return;
    case 16: case 17: case 18: case 19: case 20:
      effects_.SelectEffect(tag - 15);
      return;
    case 21:
      microphone_.ToggleBoost();
      return;
    case 22:
      microphone_.ToggleMute();
      return;
    case 89:
      microphone_.ToggleMonitor();
      return;
    case 47:
      virtual71_.ToggleEnable();
      return;
    case 49: case 50: case 52: case 53:
      if (!BeeChecked()) virtual71_.PressAnimationSwitch(tag);
      return;
    case 51:
      lighting_.PressLedButton().Ignore("the button shows the press whether or not the line followed");
      return;
    default:
      if (IsTabTag(tag)) PressTab(tag);
      return;
  }
}

void TAudioMainForm::ReleaseImage(toolkit::Control& image) {
  // The release of a press that was refused with a warning does nothing.
  if (gesture_warned_) return;
  const int tag = image.Tag();
  switch (tag) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6:
      ui::MomentaryButtons::Release(View(), tag);
      return;
    case 48:
      if (!BeeChecked()) ui::MomentaryButtons::Release(View(), tag);
      return;
    case 51:
      lighting_.ReleaseLedButton().Ignore("the button shows the release whether or not the line followed");
      return;
    case 226: case 227: case 228: {
      const ui::PageTabRow* tab = ui::PageTabs::FindByTag(tag);
      if (tag == 228 && !lighting_.PageEnabled()) {
        View().ShowSkinEntry(std::string(tab->image), std::string(tab->up_key));
      } else if (session_.Active()) {
        View().ShowSkinEntry(std::string(tab->image), std::string(tab->down_key));
      } else if (tag != 228) {
        View().ShowSkinEntry(std::string(tab->image), std::string(tab->up_key));
      }
      return;
    }
    default:
      return;
  }
}

void TAudioMainForm::ClickImage(int tag) {
  if (gesture_warned_) return;
  switch (tag) {
    case 0:
      SendToTray();
      return;
    case 1:
      MinimizeToTaskbar();
      return;
    case 5:
      if (session_.Active()) rules_.ResetEqualizer();
      return;
    case 6:
      if (session_.Active()) sound3d_.Reset3D();
      return;
    case 48:
      if (session_.Active() && !BeeChecked()) virtual71_.ResetVirtual71();
      return;
    default:
      return;
  }
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
  if (tag == 228 && !lighting_.PageEnabled()) return;
  ShowPageTabs(tab->page);
  if (tag >= 226) View().ShowSkinEntry(std::string(tab->image), std::string(tab->down_key));
  SelectPage(tag);
}

void TAudioMainForm::SelectPage(int tab_tag) {
  if (!session_.Active()) {
    ShowWarning("LabelWarning");
    return;
  }
  const ui::PageTabRow* tab = ui::PageTabs::FindByTag(tab_tag);
  if (tab == nullptr) return;
  const auto page = static_cast<Page>(tab->page);
  switch (tab_tag) {
    case 23: case 24: case 25: case 27:
      state_.current_page = page;
      ShowPageTabs(tab->page);
      app_.Loop().ProcessPending();
      break;
    case 26:
      state_.current_page = page;
      ShowPageTabs(tab->page);
      app_.Loop().ProcessPending();
      break;
    case 226: case 227:
      state_.current_page = page;
      ShowPageTabs(tab->page);
      break;
    default:  // 228
      if (lighting_.PageEnabled()) {
        state_.current_page = page;
        ShowPageTabs(tab->page);
      }
      break;
  }
  app_.Loop().ProcessPending();
  ShowPage(state_.current_page);
  for (int tag : {23, 24, 25, 26, 228}) View().HighlightLabel(tag, false, std::string(ui::PageTabs::kLabelRecord));
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
