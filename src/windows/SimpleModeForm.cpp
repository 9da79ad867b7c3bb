#include "windows/SimpleModeForm.h"

#include "platform/DebugFormat.h"

namespace audio77 {
namespace {

constexpr toolkit::Size kClientSize{559, 462};

}  // namespace

TSimpleForm::TSimpleForm(toolkit::Application& app, Services services, const std::string& version)
    : form_(app, "SimpleForm"), services_(services) {
  DebugPrintf(services_.debug, "==> %s\n", "TSimpleForm::TSimpleForm");
  form_.SetPlacement(toolkit::Placement::kScreenCenter);
  form_.SetFrameless(false);
  form_.SetClientSize(kClientSize);
  caption_ = "SimpleForm (V" + version + ")";
  form_.SetCaption(caption_);
  CreateControls();
  form_.OnShow = [this](toolkit::Form&) { FormShow(); };
}

void TSimpleForm::CreateControls() {
  toolkit::RadioGroup& modes = form_.AddRadioGroup("EffectModeRadioGroup");
  modes.SetBounds({16, 8, 113, 189});
  modes.SetCaption("Mode");
  modes.SetItems({"None", "Music", "Game", "Movie"});
  modes.SetItemIndex(0);
  modes.SetEnabled(false);
  modes.OnClick = [this](toolkit::Control&) { EffectModeRadioGroupClick(); };

  toolkit::Image& effect = form_.AddImage("EffectImage");
  effect.SetBounds({152, 24, 105, 105});
  effect.SetStretch(true);
}

void TSimpleForm::FormShow() {
  DebugPrintf(services_.debug, "==> %s\n", "TSimpleForm::FormShow");
  if (usb_ids_.LoadFromRegistry(services_.registry, "QKW USB DeviceId Group") != 0) {
    services_.boxes.Show("***** Get USB device ID from registry FAIL! *****", "Uninstall", MessageButtons::kOk,
                         MessageIcon::kNone);
  }
  if (hid_ids_.LoadFromRegistry(services_.registry, "QKW HID DeviceId Group") != 0) {
    services_.boxes.Show("***** Get HID device ID from registry FAIL! *****", "Uninstall", MessageButtons::kOk,
                         MessageIcon::kNone);
  }
}

}  // namespace audio77
