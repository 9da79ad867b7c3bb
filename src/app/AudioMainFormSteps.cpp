// The steps of start-up, activation and shutdown that belong to the window's
// features. The controller calls them in its fixed orders; each feature
// fills its own as it is built, so the orders never change.
#include "app/AudioMainForm.h"
#include "toolkit/Image.h"
#include "ui/SwitchPictures.h"

namespace audio77 {

// Microphone and level meter.
void TAudioMainForm::FindMicEndpoint() {}
void TAudioMainForm::StartLevelMeter() {}
void TAudioMainForm::RefreshMicPage() {}
void TAudioMainForm::StopLevelMeter() {}
void TAudioMainForm::SetMicMute(int mute) {
  state_.mic_mute = mute;
  FlipSwitch(22, 1 - mute);
}
void TAudioMainForm::SetMicMonitor(int monitor) {
  state_.mic_monitor_state = monitor;
  FlipSwitch(89, 1 - monitor);
}
void TAudioMainForm::ReleaseMicEndpoint() { state_.mic_endpoint_held = false; }
void TAudioMainForm::ForgetWaveIn() { state_.wave_in_open = false; }

// Equalizer.
void TAudioMainForm::InitEqualizer() { equalizer_.InitEqualizer(); }
void TAudioMainForm::InitEqPresets() {
  for (int k = 0; k < Equalizer::kPresets; ++k) equalizer_.StoreEqPreset(k);
}
void TAudioMainForm::SyncEqFromEeprom() { equalizer_.SyncEqFromEeprom(); }
void TAudioMainForm::ApplyEqEnable(int enable) { equalizer_.ApplyEqEnable(enable); }
void TAudioMainForm::ResetEqualizer() {
  // The reset ends by re-sending the 3D switch, which is another feature's.
  equalizer_.ResetEqualizer([this] { sound3d_.Apply3DEnable(state_.enable_3d); });
}

// 3D sound.
void TAudioMainForm::Init3DRecord() { sound3d_.Init3DRecord(); }
void TAudioMainForm::Sync3DFromDevice() { sound3d_.Sync3DFromDevice(); }
void TAudioMainForm::Apply3DEnable(int enable) { sound3d_.Apply3DEnable(enable); }
void TAudioMainForm::Reset3D() { sound3d_.Reset3D(); }
void TAudioMainForm::SetFbm(int fbm) { sound3d_.SetFbm(fbm); }
void TAudioMainForm::Toggle3DEnable() {
  sound3d_.Toggle3DEnable();
  if (state_.exclusive_3d_v71 == 1 && state_.enable_3d == 1) {
    // 3D and virtual 7.1 exclude each other: virtual 7.1 goes off.
    state_.v71_enable = 0;
    library_.SetVirtual7ch1_OnOff(0);
    SendSpeakerPlacement();
    library_.SetVirtual7ch1_Scalar(state_.v71_scale);
    ShowVirtual71Image();
    HideVirtual71Switches();
  }
  sound3d_.Apply3DEnable(state_.enable_3d);
  sound3d_.Set3DEnableRegister(state_.enable_3d);
}

// Environment effects.
void TAudioMainForm::ShowEffectButtons() { effects_.ShowEffectButtons(); }

// Virtual 7.1.
void TAudioMainForm::DrawSpeakerPlacement() {}
int TAudioMainForm::SendSpeakerPlacement() { return 0; }
void TAudioMainForm::ApplyDefaultVirtual71() {}
void TAudioMainForm::ResetVirtual71() {
  if (session_.Active()) {
    library_.SetVirtual7ch1_OnOff(state_.v71_enable);
    SendSpeakerPlacement();
  }
}
void TAudioMainForm::ShowVirtual71Image() {}

// The Virtual 7.1 switch and a running rotation go off when 3D takes over;
// their images stay hidden until the page is shown again.
void TAudioMainForm::HideVirtual71Switches() {
  ui::SwitchPictures::Show(View(), form_, kVirtual71EnableTag, 0);
  if (toolkit::Image* image = FindImageByTag(kVirtual71EnableTag)) image->SetVisible(false);
  for (int tag : {kCounterClockwiseTag, kClockwiseTag}) {
    int& latch = tag == kClockwiseTag ? state_.clockwise : state_.counter_clockwise;
    if (latch != 1) continue;
    latch = FlipSwitch(tag, latch);
    if (toolkit::Image* image = FindImageByTag(tag)) image->SetVisible(false);
  }
}

// Noise cancellation and voice effects.
void TAudioMainForm::NoiseCancellationSync() {}
void TAudioMainForm::NoiseCancellationDisplay() {}
void TAudioMainForm::VoiceEffectSync() {}
void TAudioMainForm::VoiceEffectDisplay() {}
void TAudioMainForm::OnButtonReport(const DeviceLibrary::ButtonReport&) {}

// Lighting.
void TAudioMainForm::StartLightingEffect() {}
void TAudioMainForm::StopLightingEffect() {}
void TAudioMainForm::ForgetLightingThread() {}

// Test tones.
void TAudioMainForm::CloseMediaPlayer() {}
void TAudioMainForm::HideTestToneImage() {
  if (auto* bee = form_.Find<toolkit::Image>("BeeImage")) bee->Hide();
}

// Languages, skins, plug-ins and pages.
void TAudioMainForm::BuildPluginMenu() {}
// The device came or went: the controls that follow it (the device text,
// the pictures of the device's switches) show or hide on the current page.
void TAudioMainForm::RefreshPageDisplay() { ShowPage(state_.current_page); }
void TAudioMainForm::ResetFeatureDisplays() {
  // The switches a device decides show off again: each is set on and
  // flipped. Boost, the presets and the animation switches keep their state.
  equalizer_.DeviceRemoved();
  sound3d_.DeviceRemoved();
  state_.v71_enable = FlipSwitch(47, 1);
  state_.mic_mute = FlipSwitch(22, 1);
  state_.mic_monitor_state = FlipSwitch(89, 1);
  effects_.DeviceRemoved();
}

// Profiles.
int TAudioMainForm::ApplyDefaultProfile() { return 1; }
int TAudioMainForm::ReadDefaultEnables() { return 1; }
int TAudioMainForm::ApplyLastProfile() { return 1; }
void TAudioMainForm::SaveLastProfile() {}

}  // namespace audio77
