// The main window's shutdown: the last profile, the features switched off,
// and the device left in a neutral state while it is still there.
#include "app/AudioMainForm.h"
#include "toolkit/Timer.h"

namespace audio77 {

void TAudioMainForm::StopTimersAndNotifications() {
  if (timer1_ != nullptr) timer1_->SetEnabled(false);
  virtual71_.StopAnimation();
  if (bee_test_) {
    // A bee test still running gives the speakers back their own places
    // first: the last profile keeps the user's layout, not the bee's orbit.
    if (bee_test_->Running()) bee_test_->CheckBoxClicked(false);
    bee_test_->Shutdown();
  }
  notification_.reset();
}

void TAudioMainForm::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  StopTimersAndNotifications();
  // No button report is handled from here on, whatever the library's thread does.
  noise_.StopButton();
  // Nothing keeps the microphone captured or routed once the window is gone.
  microphone_.StopSound();
  automation_.reset();
  if (hook_id_ != 0) app_.RemoveMouseHook(hook_id_);
  hook_id_ = 0;
  // A library that never bound is never called, and a start-up that did not
  // get as far as the last profile must not overwrite it.
  if (!LibraryBound()) return;
  if (constructed_ >= kStepLastProfile) profile_keeper_->SaveLastProfile();
  rules_.ResetEqualizer();
  equalizer_.ApplyEqEnable(0);
  sound3d_.Reset3D();
  sound3d_.SetFbm(1).Ignore("the device is being left; 3D goes off below");
  sound3d_.Apply3DEnable(0);
  // No lighting worker sends while the device is left neutral, or after.
  lighting_.StopWorkers();
  NeutraliseDevice();
}

void TAudioMainForm::NeutraliseDevice() {
  // One transaction spans the device's clean-up: a device that is gone is
  // left alone.
  {
    RegisterSession transaction = session_.BeginRegisters();
    if (!transaction) return;
    rules_.ClearEffectEnables(transaction).Ignore("the window is going; the features below go off anyway");
    effects_.OnShutdown();
    virtual71_.OnShutdown();
    noise_.OnShutdown();
    voice_.OnShutdown();
    lighting_.OnShutdown();
    // Nothing is left to retry once the window has gone.
    static_cast<void>(transaction.Commit());
  }
  session_.ReleaseHeldHid();
}

}  // namespace audio77
