// Following the device: arrival, the search timer, removal, and the re-sync
// that pushes the window's settings to a device that became active.
#include "app/AudioMainForm.h"
#include "app/MainFormResource.h"
#include "device/VidPid.h"
#include "toolkit/Label.h"
#include "toolkit/Timer.h"

namespace audio77 {
namespace {

constexpr std::uint32_t kArrivalPauseMs = 10;
constexpr int kArrivalProbes = 5;
constexpr int kTimerProbes = 10;

}  // namespace

void TAudioMainForm::RunSequence(const std::function<void()>& sequence) {
  if (sequence_depth_ == 0) current_device_left_ = false;
  ++sequence_depth_;
  try {
    sequence();
  } catch (...) {
    --sequence_depth_;
    throw;
  }
  --sequence_depth_;
  if (sequence_depth_ == 0) RunDeferred();
}

void TAudioMainForm::RunDeferred() {
  while (!deferred_.empty() && sequence_depth_ == 0) {
    std::function<void()> next = std::move(deferred_.front());
    deferred_.pop_front();
    next();
  }
}

bool TAudioMainForm::PumpAndCheck() {
  app_.Loop().ProcessPending();
  return !current_device_left_;
}

bool TAudioMainForm::RemovalOfCurrentDevice(const DeviceInterfaceEvent& event) const {
  if (event.change != DeviceChange::kRemoveComplete || event.device_type != kDeviceTypeInterface) return false;
  if (event.interface_class != kHidInterfaceClass) return false;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  ParseVidPid(event.name, vendor_id, product_id);
  return vendor_id == session_.VendorId() && product_id == session_.ProductId();
}

void TAudioMainForm::OnDeviceChange(const DeviceInterfaceEvent& event) {
  if (destroyed_) return;
  if (sequence_depth_ > 0) {
    if (RemovalOfCurrentDevice(event)) current_device_left_ = true;
    deferred_.push_back([this, event] { OnDeviceChange(event); });
    return;
  }
  RunSequence([this, &event] {
    if (event.device_type == kDeviceTypeInterface) {
      if (event.change == DeviceChange::kArrival) DeviceArrival();
      if (event.change == DeviceChange::kRemoveComplete) DeviceRemoval(event);
    }
    app_.Loop().ProcessPending();
  });
}

void TAudioMainForm::DeviceArrival() {
  platform_.debug.Write("DeviceArrival1");
  platform_.clock.Sleep(kArrivalPauseMs);
  microphone_.AtArrival(state_.current_page == Page::kMicrophone);
  if (session_.HoldsHid()) {
    platform_.debug.Write("m_hDevice != NULL");
    return;
  }
  if (!session_.Search(config_path_, SearchKind::kArrival)) {
    platform_.debug.Write("bResult = 0");
    return;
  }
  if (!session_.HidPresent()) {
    DeactivateWithoutHid();
  } else {
    if (!session_.ProbeAudioCommand(kArrivalProbes)) return;
    if (session_.ExtensionPresent()) platform_.debug.Write("***** QKW_Set_DEVICE_SYMBOLIC_NAME Success *****");
    session_.SetActive(true);
    ShowDeviceIndicators();
    RefreshPageDisplay();
  }
  if (!session_.Active()) timer1_->SetEnabled(true);
  if (session_.Active()) ActivationResync(true);
}

void TAudioMainForm::Timer1Timer() {
  if (destroyed_) return;
  if (sequence_depth_ > 0) {
    // One tick waiting is enough: the next one searches again anyway.
    if (!timer_tick_deferred_) {
      timer_tick_deferred_ = true;
      deferred_.push_back([this] {
        timer_tick_deferred_ = false;
        Timer1Timer();
      });
    }
    return;
  }
  RunSequence([this] {
    platform_.debug.Write("DeviceArrivalforTimer1");
    if (!session_.Search(config_path_, SearchKind::kTimer)) {
      platform_.debug.Write("SearchDevicePresent = 0");
      return;
    }
    if (!session_.HidPresent()) {
      DeactivateWithoutHid();
      return;
    }
    if (!session_.ProbeAudioCommand(kTimerProbes)) return;
    session_.SetActive(true);
    ShowDeviceIndicators();
    RefreshPageDisplay();
    ActivationResync(false);
    if (session_.Active()) timer1_->SetEnabled(false);
  });
}

void TAudioMainForm::DeactivateWithoutHid() {
  timer1_->SetEnabled(true);
  ShowDeviceState("LabelUnactive");
  session_.SetActive(false);
  ShowDeviceIndicators();
  RefreshPageDisplay();
}

// The activation re-sync: the settings the window holds go back to a device
// that became active, feature by feature in this order. An arrival also
// starts the button scan and brings 3D back; a timer tick does not.
void TAudioMainForm::ActivationResync(bool from_arrival) {
  if (!from_arrival) microphone_.AtArrival(state_.current_page == Page::kMicrophone);
  if (from_arrival) microphone_.ClearMonitorState();
  lighting_.GpioAtActivation().Ignore("the LED button's line is set again at its next press");
  noise_.LoadEncState();
  noise_.ShowEnc();
  if (from_arrival) noise_.StartButtonScan();
  voice_.LoadVoiceMagic();
  voice_.ShowVoiceMagic();
  RefreshPageDisplay();
  // A device that left while messages ran is not shown as active.
  if (!PumpAndCheck()) return;
  rules_.EqualizerAtActivation();
  if (from_arrival) sound3d_.AtActivation();
  rules_.Virtual71EnableAtActivation();
  RefreshPageDisplay();
  session_.QueryExtensionStatus();
  virtual71_.SendAtActivation();
  if (state_.current_page == Page::kVirtual71) virtual71_.RestoreRemembered();
  session_.QueryExtension();
  if (session_.CountActivation()) lighting_.StartLedEffects();
  RefreshPageDisplay();
  ShowDeviceState("LabelActive");
}

void TAudioMainForm::DeviceRemoval(const DeviceInterfaceEvent& event) {
  if (event.interface_class != kHidInterfaceClass) return;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  ParseVidPid(event.name, vendor_id, product_id);
  if (vendor_id != session_.VendorId() || product_id != session_.ProductId()) return;
  ShowDeviceState("LabelUnactive");
  session_.SetActive(false);
  ShowDeviceIndicators();
  // The switches a device decides show off again; nothing is sent. Boost,
  // the presets and the animation switches keep their state.
  equalizer_.OnRemoved();
  sound3d_.OnRemoved();
  virtual71_.OnRemoved();
  microphone_.OnRemoved();
  effects_.OnRemoved();
  noise_.OnRemoved();
  voice_.OnRemoved();
  RefreshPageDisplay();
  if (!session_.HoldsHid()) return;
  session_.ReleaseHeldHid();
  lighting_.ForgetWorker();
  session_.ClearActivationCount();
}

void TAudioMainForm::ShowDeviceState(const char* text_key) {
  if (language_ && language_->Loaded()) {
    language_->ApplyDeviceState(text_key);
  } else if (auto* label = form_.Find<toolkit::Label>("DeviceActiveLabel")) {
    label->SetCaption(MainText(text_key));
  }
}

void TAudioMainForm::RefreshPageDisplay() { ShowPage(state_.current_page); }

void TAudioMainForm::ShowDeviceIndicators() {
  const int state = session_.Active() ? 1 : 0;
  for (const char* indicator : {"DeviceInImage", "DeviceOutImage"}) FlipSwitch(TagOf(indicator), state);
}

}  // namespace audio77
