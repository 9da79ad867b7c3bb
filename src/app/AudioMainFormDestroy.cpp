// The main window's shutdown: the last profile, the features switched off,
// and the device left in a neutral state while it is still there.
#include "app/AudioMainForm.h"
#include "device/AudioCommand.h"
#include "toolkit/Timer.h"

namespace audio77 {
namespace {

constexpr std::uint16_t kEffectEnableRegister = 0x100;

}  // namespace

void TAudioMainForm::StopTimersAndNotifications() {
  for (toolkit::Timer* timer : {timer1_, animation_timer_, bee_timer_, bee_play_timer_}) {
    if (timer != nullptr) timer->SetEnabled(false);
  }
  notification_.reset();
}

void TAudioMainForm::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  StopTimersAndNotifications();
  if (hook_id_ != 0) app_.RemoveMouseHook(hook_id_);
  hook_id_ = 0;
  // A library that never bound is never called, and a start-up that did not
  // get as far as the last profile must not overwrite it.
  if (!LibraryBound()) return;
  if (constructed_ >= kStepLastProfile) SaveLastProfile();
  CloseMediaPlayer();
  ResetEqualizer();
  ApplyEqEnable(0);
  Reset3D();
  SetFbm(1);
  Apply3DEnable(0);
  NeutraliseDevice();
}

void TAudioMainForm::NeutraliseDevice() {
  std::unique_ptr<HidHandle> handle = session_.OpenHid();
  if (!handle) return;
  HidTransport::RegisterWrite(handle.get(), kEffectEnableRegister, 0);
  session_.Extension().SelectEffect(0);
  session_.Extension().ApplyEffect(1);
  state_.v71_enable = 0;
  ResetVirtual71();
  AudioCommand noise = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, false);
  library_.SendAudioCommand(noise);
  AudioCommand voice = AudioCommand::Switch(AudioCommand::kVoiceEffectGroup, false);
  library_.SendAudioCommand(voice);
  if (state_.lighting_thread_started) {
    state_.lighting_thread_started = false;
    StopLightingEffect();
  }
  HidTransport::SendClosingReport(handle.get());
  handle.reset();
  session_.ReleaseHeldHid();
}

}  // namespace audio77
