#include "lighting/Lighting.h"

#include <utility>

namespace audio77 {
namespace {

constexpr int kNoInterface = 1;
constexpr int kExchangeFailed = 2;

FeatureResult Finish(RegisterSession& transaction, int step) {
  const int closing = transaction.Commit();
  return step != 0 || closing != 0 ? FeatureResult::Failed(kExchangeFailed) : FeatureResult::Done();
}

}  // namespace

Lighting::Lighting(FeatureDeps deps, std::function<int()> skin_page_mode)
    : deps_(deps), skin_page_mode_(std::move(skin_page_mode)) {}

FeatureResult Lighting::WriteButtonGpio(bool held) {
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  GpioLines lines{};
  lines[0] = held ? 1 : 0;
  // The closing report goes out even after a failed write.
  return Finish(transaction, transaction.WriteGpio(lines));
}

FeatureResult Lighting::PressLedButton() {
  button_state_ = button_state_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(kLedButtonTag, button_state_);
  return WriteButtonGpio(true);
}

FeatureResult Lighting::ReleaseLedButton() {
  button_state_ = button_state_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(kLedButtonTag, button_state_);
  return WriteButtonGpio(false);
}

FeatureResult Lighting::GpioAtActivation() {
  RegisterSession transaction = deps_.registers.BeginRegisters();
  if (!transaction) return FeatureResult::Failed(kNoInterface);
  GpioLines lines{};
  const int step = button_state_ == 0 ? transaction.WriteGpio(lines) : transaction.ReadGpio(lines);
  return Finish(transaction, step);
}

void Lighting::Save(ProfileWriter& profile) { profile.WriteInt("LED", "LEDON", button_state_); }

void Lighting::Load(ProfileReader& profile) {
  const auto on = profile.WhenPresent("LED", "LEDON");
  if (!on) return;
  button_state_ = *on != 0 ? 1 : 0;
  deps_.view.ShowSwitch(kLedButtonTag, button_state_);
}

void Lighting::ForgetWorker() { worker_started_ = false; }

void Lighting::OnShutdown() {
  // The worker and the lighting mode at shutdown come with the LED page.
  worker_started_ = false;
}

void Lighting::Describe(ui::SkinViewState& view) const { view.led_on = button_state_ != 0; }

}  // namespace audio77
