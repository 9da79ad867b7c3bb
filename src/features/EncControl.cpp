#include "features/EncControl.h"

#include <cmath>

#include "platform/DebugFormat.h"

namespace audio77 {
namespace {

constexpr char kSwitchImage[] = "ENCFunctionImage";
constexpr char kSwitchLabel[] = "ENCFunctionLabel";
constexpr char kValueLabel[] = "ENCValueLabel";
constexpr char kSwitchUp[] = "ENCFunctionUpImage";
constexpr char kSwitchDown[] = "ENCFunctionDownImage";
constexpr std::uint8_t kButtonGpioMode = 0;
constexpr std::uint8_t kDeviceIndex = 0;
constexpr int kHighestGpioNumber = 255;

}  // namespace

EncControl::EncControl(Parts parts, ButtonSettings button)
    : parts_(parts),
      button_settings_(button),
      commands_(parts.library),
      registry_(parts.registry),
      button_(parts.debug, button.gpio, [this] { return ToggleFromButton(); }),
      relay_(parts.loop, [this](const EncButton::Report& report) { button_.Receive(report); }) {}

EncControl::~EncControl() { relay_.Detach(); }

void EncControl::LoadEncState() {
  if (!parts_.device.Active()) return;
  const auto level = registry_.EncLevel(parts_.device.VendorId(), parts_.device.ProductId());
  if (!level) {
    // The level keeps its value; only support and the switch go.
    supported_ = 0;
    on_ = 0;
    return;
  }
  supported_ = 1;
  on_ = 1;
  level_ = *level;
  SetEncOn(on_);
  // A failed read leaves the block zero, as the device's answer would have been.
  commands_.ReadAll(parameters_);
  parameters_.SetCompanionOn(on_);
  parameters_.SetLevel(level_);
  SendEncParameters();
  parts_.display.ShowCaption(kValueLabel, FormatDebug("%d", level_));
  parts_.display.SetEncKnobTop(KnobTopFor(level_));
}

std::int32_t EncControl::SetEncOn(int on) { return commands_.SetEncOn(on); }

std::int32_t EncControl::SendEncParameters() { return commands_.SendParameters(parameters_); }

int EncControl::KnobTopFor(int level) const {
  const SliderTravel travel = parts_.display.EncTravel();
  return travel.top + static_cast<int>(std::trunc(travel.length - travel.length * level / 30.0));
}

void EncControl::ShowSwitch() {
  parts_.display.ShowPicture(kSwitchImage, on_ == 1 ? kSwitchDown : kSwitchUp);
  parts_.display.ShowLabelDown(kSwitchLabel, on_ == 1);
}

void EncControl::ShowEnc() {
  ShowSwitch();
  parts_.display.ShowCaption(kValueLabel, FormatDebug("%d", level_));
  parts_.display.SetEncKnobTop(KnobTopFor(level_));
}

void EncControl::StartButtonScan() {
  if (supported_ != 1 || button_settings_.mode != 1) return;
  const int gpio = button_settings_.gpio;
  if (gpio < 0 || gpio > kHighestGpioNumber) {
    // As a byte it would name another line.
    DebugPrintf(parts_.debug, "EncGpio = %d is no GPIO line: the button is not scanned\n", gpio);
    return;
  }
  if (parts_.library.SetGpioModeEx_ById(static_cast<std::uint8_t>(gpio), kButtonGpioMode, kDeviceIndex) != 0) return;
  // One scan at a time: a new one replaces the library's receiver.
  relay_.Attach();
  if (parts_.library.ScanButton_ById(parts_.device.VendorId(), parts_.device.ProductId(), relay_.Sink(), 1,
                                     kDeviceIndex) != 0) {
    relay_.Detach();
  }
}

int EncControl::ToggleFromButton() {
  if (!parts_.device.Active() || supported_ != 1) return 0;
  on_ = on_ == 0 ? 1 : 0;
  if (parts_.display.EncPageShown()) ShowSwitch();
  return SetEncOn(on_);
}

void EncControl::SwitchClicked() {
  if (!parts_.device.Active()) return;
  if (supported_ != 1) {
    parts_.display.ShowEncWarning();
    return;
  }
  on_ = on_ == 0 ? 1 : 0;
  ShowSwitch();
  SetEncOn(on_);
  SendEncParameters();
}

bool EncControl::KnobPressed() {
  if (!parts_.device.Active()) return false;
  if (supported_ != 1) {
    parts_.display.ShowEncWarning();
    return false;
  }
  return true;
}

void EncControl::KnobMoved(int level) {
  if (!parts_.device.Active() || supported_ != 1) return;
  level_ = EncParameters::ClampLevel(level);
  parts_.display.ShowCaption(kValueLabel, FormatDebug("%i", level_));
}

void EncControl::KnobReleased() {
  if (!parts_.device.Active() || supported_ != 1) return;
  parameters_.SetLevel(level_);
  SendEncParameters();
  registry_.SaveEncLevel(parts_.device.VendorId(), parts_.device.ProductId(), level_);
}

void EncControl::BarClicked(int level) {
  if (!parts_.device.Active()) return;
  if (supported_ != 1) {
    parts_.display.ShowEncWarning();
    return;
  }
  level_ = EncParameters::ClampLevel(level);
  ShowEnc();
}

void EncControl::OnRemoved() {
  relay_.Detach();
  button_.DeviceRemoved();
  on_ = 0;
  ShowSwitch();
}

void EncControl::OnShutdown(bool device_present) {
  relay_.Detach();
  if (device_present) {
    AudioCommand off = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, false);
    parts_.library.SendAudioCommand(off);
  }
}

void EncControl::Save(ProfileWriter& profile) const {
  profile.WriteInt("ENC", "ENCEN", on_);
  profile.WriteInt("ENC", "ENCValue", level_);
}

}  // namespace audio77
