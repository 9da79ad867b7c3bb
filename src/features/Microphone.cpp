#include "features/Microphone.h"

namespace audio77 {

Microphone::Microphone(FeatureDeps deps) : deps_(deps) {}

void Microphone::SetMute(int mute) {
  mute_ = mute;
  deps_.view.ShowSwitch(kMuteTag, mute_);
}

void Microphone::SetMonitor(int monitor) {
  monitor_ = monitor;
  deps_.view.ShowSwitch(kMonitorTag, monitor_);
}

void Microphone::ToggleMute() { SetMute(mute_ == 0 ? 1 : 0); }

void Microphone::ToggleBoost() {
  boost_ = boost_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(kBoostTag, boost_);
}

void Microphone::ToggleMonitor() { SetMonitor(monitor_ == 0 ? 1 : 0); }

void Microphone::FindEndpointOnce() {
  // Only a held endpoint counts as found; none is held until the sound
  // server's endpoint search exists.
  if (endpoint_held_) endpoint_found_ = true;
}

void Microphone::AtStart() {
  SetMute(0);
  SetMonitor(0);
  FindEndpointOnce();
}

void Microphone::AtActivation() {
  if (!endpoint_found_) FindEndpointOnce();
  SetMute(0);
  SetMonitor(0);
}

void Microphone::OnRemoved() {
  endpoint_found_ = false;
  SetMute(0);
  SetMonitor(0);
}

void Microphone::Describe(ui::SkinViewState& view) const {
  view.mic_mute = mute_ != 0;
  view.mic_monitor = monitor_ != 0;
}

}  // namespace audio77
