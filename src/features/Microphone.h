#pragma once
// The microphone as the window holds it today: mute, boost and monitoring
// switches, the level the Mic slider stands at, and whether its sound
// endpoint was found. The endpoint, the level meter and the monitoring path
// itself come with the sound-server seam.

#include "features/Feature.h"
#include "features/FeatureDeps.h"

namespace audio77 {

class Microphone final : public Feature {
 public:
  static constexpr int kBoostTag = 21;
  static constexpr int kMuteTag = 22;
  static constexpr int kMonitorTag = 89;

  explicit Microphone(FeatureDeps deps);

  std::string_view Name() const override { return "Microphone"; }
  // The endpoint is looked for again at the next activation; mute and
  // monitoring show off.
  void OnRemoved() override;
  void Describe(ui::SkinViewState& view) const override;

  // "Monitor" of the configuration.
  void SetMonitorKey(int monitor) { monitor_key_ = monitor; }

  void SetMute(int mute);
  void SetMonitor(int monitor);
  void ToggleMute();
  void ToggleBoost();
  void ToggleMonitor();
  // The Mic slider's value, 0..100.
  void SetLevel(int percent) { level_ = percent; }

  // Start-up with an active device, and every activation: the switches off
  // and the endpoint found once.
  void AtStart();
  void AtActivation();
  // An arrival forgets the monitoring state (its picture stays).
  void ClearMonitorState() { monitor_ = 0; }
  void ReleaseEndpoint() { endpoint_held_ = false; }
  void ForgetWaveIn() { wave_in_open_ = false; }

  int Muted() const { return mute_; }
  int Boosted() const { return boost_; }
  int Monitoring() const { return monitor_; }
  int Level() const { return level_; }
  int MonitorKey() const { return monitor_key_; }
  bool EndpointFound() const { return endpoint_found_; }

 private:
  void FindEndpointOnce();

  FeatureDeps deps_;
  int mute_ = 0;
  int boost_ = 0;
  int monitor_ = 0;
  int level_ = 0;
  int monitor_key_ = 1;
  bool endpoint_held_ = false;
  bool wave_in_open_ = false;
  bool endpoint_found_ = false;
};

}  // namespace audio77
