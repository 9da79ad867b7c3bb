#include "lighting/Lighting.h"

#include "lighting/ULEDForm.h"

namespace audio77 {
namespace {

constexpr int kNoInterface = 1;
constexpr int kExchangeFailed = 2;

FeatureResult Finish(RegisterSession& transaction, int step) {
  const int closing = transaction.Commit();
  return step != 0 || closing != 0 ? FeatureResult::Failed(kExchangeFailed) : FeatureResult::Done();
}

}  // namespace

Lighting::Lighting(FeatureDeps deps, LedPageView& page_view)
    : deps_(deps), page_(deps.library, deps.device, deps.clock, deps.debug, page_view, &call_lock_) {}

Lighting::~Lighting() = default;

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

void Lighting::Save(ProfileWriter& profile) {
  profile.WriteInt("LED", "LEDON", button_state_);
  page_.Save(profile);
}

void Lighting::Load(ProfileReader& profile) {
  if (const auto on = profile.WhenPresent("LED", "LEDON")) {
    button_state_ = *on != 0 ? 1 : 0;
    deps_.view.ShowSwitch(kLedButtonTag, button_state_);
  }
  page_.Load(profile);
}

void Lighting::SkinLoaded(int page_mode, int fast_right) {
  // Only the skin at start-up brings the fixed colours; a change of skin keeps the user's.
  page_.ApplySkin(page_mode, fast_right, !skin_loaded_);
  skin_loaded_ = true;
  page_.Redraw();
}

void Lighting::CheckClick(LedCheck check) {
  switch (check) {
    case LedCheck::kOff: page_.LedOffCheckClick(); return;
    case LedCheck::kSingle: page_.SingleCheckClick(); return;
    case LedCheck::kBreathe: page_.EffectCheckClick(led::kBreathe); return;
    case LedCheck::kRainbow: page_.EffectCheckClick(led::kRainbow); return;
    case LedCheck::kMultiBreathe: page_.EffectCheckClick(led::kMultiBreathe); return;
  }
}

Lighting::TabResult Lighting::LedTabClick(bool label) {
  if (page_.PageUsed()) {
    page_.ApplyLedState();
    return TabResult::kPageApplied;
  }
  // The tab's image with page mode 0 does nothing; its label opens the dialog.
  if (!label && page_.PageMode() == 0) return TabResult::kNothing;
  return dialog_ != nullptr ? TabResult::kOpenDialog : TabResult::kNothing;
}

void Lighting::ShowDialog() {
  if (dialog_ != nullptr && !dialog_->Shown()) dialog_->Form().ShowModal();
}

bool Lighting::DialogShown() const { return dialog_ != nullptr && dialog_->Shown(); }

void Lighting::StopWorkers() {
  if (dialog_ != nullptr) dialog_->StopCommandWorker();
  worker_ran_ = page_.StopLedEffects() || worker_ran_;
}

void Lighting::OnShutdown() {
  StopWorkers();
  if (worker_ran_) page_.SwitchOff();
}

void Lighting::Describe(ui::SkinViewState& view) const { view.led_on = button_state_ != 0; }

}  // namespace audio77
