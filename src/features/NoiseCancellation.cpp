#include "features/NoiseCancellation.h"

#include <cmath>
#include <tuple>

#include "device/HidTransport.h"
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
constexpr std::int32_t kScanOn = 1;
// The device's GPIO lines are 0..9; a number past them would reach the
// library as a byte and could name another line.
constexpr int kGpioLineCount = static_cast<int>(std::tuple_size_v<GpioLines>);

}  // namespace

NoiseCancellation::NoiseCancellation(FeatureDeps deps, EncParts parts)
    : deps_(deps),
      parts_(parts),
      commands_(deps.library),
      registry_(parts.registry),
      button_(deps.debug, 0, [this] { return ToggleFromButton(); }),
      relay_(parts.loop, [this](const EncButton::Report& report) { button_.Receive(report); }) {}

NoiseCancellation::~NoiseCancellation() { StopButton(); }

void NoiseCancellation::Configure(int button_mode, int button_gpio) {
  button_mode_ = button_mode;
  button_.SetGpio(button_gpio);
}

void NoiseCancellation::LoadEncState() {
  if (!deps_.device.Active()) return;
  const auto level = registry_.EncLevel(deps_.device.VendorId(), deps_.device.ProductId());
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
  static_cast<void>(commands_.ReadAll(parameters_));
  parameters_.SetCompanionOn(on_);
  parameters_.SetLevel(level_);
  SendEncParameters();
  parts_.display.ShowCaption(kValueLabel, FormatDebug("%d", level_));
  parts_.display.SetEncKnobTop(KnobTopFor(level_));
}

std::int32_t NoiseCancellation::SetEncOn(int on) { return commands_.SetEncOn(on); }

std::int32_t NoiseCancellation::SendEncParameters() { return commands_.SendParameters(parameters_); }

int NoiseCancellation::KnobTopFor(int level) const {
  const SliderTravel travel = parts_.display.EncTravel();
  return travel.top + static_cast<int>(std::trunc(travel.length - travel.length * level / 30.0));
}

void NoiseCancellation::ShowSwitch() {
  parts_.display.ShowPicture(kSwitchImage, on_ == 1 ? kSwitchDown : kSwitchUp);
  parts_.display.ShowLabelDown(kSwitchLabel, on_ == 1);
}

void NoiseCancellation::ShowEnc() {
  ShowSwitch();
  parts_.display.ShowCaption(kValueLabel, FormatDebug("%d", level_));
  parts_.display.SetEncKnobTop(KnobTopFor(level_));
}

void NoiseCancellation::StartButtonScan() {
  if (supported_ != 1 || button_mode_ != 1) return;
  const int gpio = button_.Gpio();
  if (gpio < 0 || gpio >= kGpioLineCount) {
    DebugPrintf(deps_.debug, "EncGpio = %d is no GPIO line: the button is not scanned\n", gpio);
    return;
  }
  if (deps_.library.SetGpioModeEx_ById(static_cast<std::uint8_t>(gpio), kButtonGpioMode, kDeviceIndex) != 0) return;
  // One scan at a time: the library replaces its receiver. Reports from
  // before a removal stay dropped; those of this device's earlier scan are
  // as good as the new one's.
  relay_.Attach();
  if (deps_.library.ScanButton_ById(deps_.device.VendorId(), deps_.device.ProductId(), relay_.Sink(), kScanOn,
                                    kDeviceIndex) != 0) {
    relay_.Detach();
  }
}

void NoiseCancellation::StopButton() { relay_.Detach(); }

int NoiseCancellation::ToggleFromButton() {
  if (!deps_.device.Active() || supported_ != 1) return 0;
  on_ = on_ == 0 ? 1 : 0;
  if (parts_.display.EncPageShown()) ShowSwitch();
  return SetEncOn(on_);
}

void NoiseCancellation::SwitchClicked() {
  if (!deps_.device.Active()) return;
  if (supported_ != 1) {
    parts_.display.ShowEncWarning();
    return;
  }
  on_ = on_ == 0 ? 1 : 0;
  ShowSwitch();
  SetEncOn(on_);
  SendEncParameters();
}

bool NoiseCancellation::KnobPressed() {
  if (!deps_.device.Active()) return false;
  if (supported_ != 1) {
    parts_.display.ShowEncWarning();
    return false;
  }
  return true;
}

void NoiseCancellation::KnobMoved(int level) {
  // Moving over the knob of a device without ENC shows nothing: the press
  // has already said so once.
  if (!deps_.device.Active() || supported_ != 1) return;
  level_ = EncParameters::ClampLevel(level);
  parts_.display.ShowCaption(kValueLabel, FormatDebug("%i", level_));
}

void NoiseCancellation::KnobReleased() {
  if (!deps_.device.Active() || supported_ != 1) return;
  parameters_.SetLevel(level_);
  SendEncParameters();
  registry_.SaveEncLevel(deps_.device.VendorId(), deps_.device.ProductId(), level_);
}

void NoiseCancellation::BarClicked(int level) {
  if (!KnobPressed()) return;
  level_ = EncParameters::ClampLevel(level);
  ShowEnc();
}

void NoiseCancellation::OnRemoved() {
  relay_.Detach();
  button_.DeviceRemoved();
  on_ = 0;
  ShowSwitch();
}

void NoiseCancellation::OnShutdown() {
  relay_.Detach();
  // The window is going: a device that refuses is not asked again.
  AudioCommand off = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, false);
  static_cast<void>(deps_.library.SendAudioCommand(off));
}

void NoiseCancellation::Save(ProfileWriter& profile) {
  profile.WriteInt("ENC", "ENCEN", on_);
  profile.WriteInt("ENC", "ENCValue", level_);
}

void NoiseCancellation::Load(ProfileReader& /*profile*/) { LoadEncState(); }

}  // namespace audio77
