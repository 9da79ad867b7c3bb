// Following the device: arrival, the search timer, removal, and the re-sync
// that pushes the window's settings to a device that became active.
#include "app/AudioMainForm.h"
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
  MicrophoneAtActivation();
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

void TAudioMainForm::ActivationResync(bool from_arrival) {
  if (!from_arrival) MicrophoneAtActivation();
  if (from_arrival) state_.mic_monitor_state = 0;
  LedButtonGpioAtActivation();
  ReleaseMicEndpoint();
  NoiseCancellationSync();
  NoiseCancellationDisplay();
  if (from_arrival) StartButtonScanIfConfigured();
  VoiceEffectSync();
  VoiceEffectDisplay();
  RefreshPageDisplay();
  // A device that left while messages ran is not shown as active.
  if (!PumpAndCheck()) return;
  EqualizerAtActivation();
  if (from_arrival) Sound3DAtActivation();
  Virtual71AtActivation();
  std::uint32_t status = 0;
  session_.Extension().StatusQuery(status);
  Virtual71DeviceAtActivation();
  if (state_.current_page == Page::kVirtual71 && state_.v71_enable_remembered == 1) {
    state_.v71_enable = 1;
    ShowVirtual71Image();
    library_.SetVirtual7ch1_OnOff(1);
  }
  std::uint32_t value = 0;
  session_.Extension().Query(0, value);
  if (session_.CountActivation()) StartLightingEffect();
  RefreshPageDisplay();
  ShowDeviceState("LabelActive");
}

void TAudioMainForm::MicrophoneAtActivation() {
  if (!state_.endpoint_found) {
    FindMicEndpoint();
    if (state_.mic_endpoint_held || state_.os_class != kLinuxOsClass) {
      StartLevelMeter();
      RefreshMicPage();
      if (state_.current_page != Page::kMicrophone) StopLevelMeter();
      state_.endpoint_found = true;
    }
  }
  SetMicMute(0);
  SetMicMonitor(0);
}

void TAudioMainForm::LedButtonGpioAtActivation() {
  std::unique_ptr<HidHandle> handle = session_.OpenHid();
  if (!handle) return;
  GpioLines lines{};
  if (state_.led_button_state == 0) {
    HidTransport::GpioWrite(handle.get(), lines);
  } else {
    HidTransport::GpioRead(handle.get(), lines);
  }
  HidTransport::SendClosingReport(handle.get());
}

void TAudioMainForm::EqualizerAtActivation() {
  if (state_.eq_from_eeprom == 1) {
    SyncEqFromEeprom();
    SyncEqFromEeprom();
  } else if (state_.default_eq_enable == 1) {
    state_.eq_enable = 1;
    ApplyEqEnable(1);
  }
}

void TAudioMainForm::Sound3DAtActivation() {
  if (state_.d3_from_eeprom == 1) {
    Sync3DFromDevice();
    Sync3DFromDevice();
  } else if (state_.default_3d_enable == 1) {
    state_.enable_3d = 1;
    Apply3DEnable(1);
  }
}

void TAudioMainForm::Virtual71AtActivation() {
  state_.v71_enable = state_.default_v71_enable == 1 ? 1 : 0;
  if (state_.exclusive_3d_v71 == 1 && state_.enable_3d == 1) state_.v71_enable = 0;
  ShowVirtual71Image();
  RefreshPageDisplay();
}

void TAudioMainForm::Virtual71DeviceAtActivation() {
  if (library_.SetVirtual7ch1_OnOff(state_.v71_enable) != 0) library_.SetVirtual7ch1_OnOff(state_.v71_enable);
  if (SendSpeakerPlacement() != 0) SendSpeakerPlacement();
  if (library_.SetVirtual7ch1_Scalar(state_.v71_scale) != 0) library_.SetVirtual7ch1_Scalar(state_.v71_scale);
}

void TAudioMainForm::StartButtonScanIfConfigured() {
  if (state_.noise_available != 1 || state_.enc_button_mode != 1) return;
  if (library_.SetGpioModeEx_ById(static_cast<std::uint8_t>(state_.enc_gpio), 0, 0) != 0) return;
  library_.ScanButton_ById(
      session_.VendorId(), session_.ProductId(),
      [this](std::uint16_t, std::uint16_t, const DeviceLibrary::ButtonReport& report) {
        // The library calls from a thread of its own: only the copy travels.
        app_.Loop().Post([this, report] { OnButtonReport(report); });
      },
      1, 0);
}

void TAudioMainForm::DeviceRemoval(const DeviceInterfaceEvent& event) {
  if (event.interface_class != kHidInterfaceClass) return;
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  ParseVidPid(event.name, vendor_id, product_id);
  if (vendor_id != session_.VendorId() || product_id != session_.ProductId()) return;
  ShowDeviceState("LabelUnactive");
  session_.SetActive(false);
  state_.endpoint_found = false;
  state_.noise_button_flag = 0;
  ShowDeviceIndicators();
  ResetFeatureDisplays();
  RefreshPageDisplay();
  if (!session_.HoldsHid()) return;
  session_.ReleaseHeldHid();
  ReleaseMicEndpoint();
  ForgetWaveIn();
  if (state_.lighting_thread_started) {
    state_.lighting_thread_started = false;
    ForgetLightingThread();
  }
  session_.ClearActivationCount();
}

void TAudioMainForm::ShowDeviceState(const char* text_key) {
  if (language_ && language_->Loaded()) {
    language_->ApplyDeviceState(text_key);
  } else if (auto* label = form_.Find<toolkit::Label>("DeviceActiveLabel")) {
    label->SetCaption(MainText(text_key));
  }
}

void TAudioMainForm::ShowDeviceIndicators() {
  const int state = session_.Active() ? 1 : 0;
  FlipSwitch(54, state);
  FlipSwitch(55, state);
}

}  // namespace audio77
