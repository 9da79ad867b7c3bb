#pragma once
// The microphone page: level, boost and mute of the device's capture endpoint
// in the sound system, the monitor (chip registers and "listen", or the
// record test), and the input level bar while the page shows. The window
// calls the named steps in its orders; MicLifecycle holds the sequences.

#include <string>

#include "features/Feature.h"
#include "features/FeatureDeps.h"
#include "features/MicLifecycle.h"
#include "features/MicView.h"
#include "platform/AudioEndpoints.h"
#include "platform/WaveIn.h"
#include "platform/WaveOut.h"
#include "toolkit/EventLoop.h"

namespace audio77 {

// What the microphone needs besides the device: the sound system, the UI
// thread's loop, the page's controls and a private folder for the record test.
struct MicSound {
  AudioEndpoints& endpoints;
  WaveIn& wave_in;
  WaveOut& wave_out;
  toolkit::EventLoop& loop;
  MicView& view;
  std::string runtime_folder;
};

class Microphone final : public Feature {
 public:
  static constexpr int kBoostTag = MicView::kBoostTag;
  static constexpr int kMuteTag = MicView::kMuteTag;
  static constexpr int kMonitorTag = MicView::kMonitorTag;

  Microphone(FeatureDeps deps, MicSound sound);

  std::string_view Name() const override { return "Microphone"; }
  // Mute and monitoring show off, nothing is sent; the meter and the record
  // test end.
  void OnRemoved() override { mic_.OnRemoved(); }
  void Describe(ui::SkinViewState& view) const override;

  // "Monitor" of the configuration.
  void SetMonitorKey(int monitor) { mic_.SetMonitorMode(monitor); }

  // Start-up with an active device.
  void AtStart() { mic_.OnStartup(); }
  // Every arrival (and the timer's activation): the endpoint looked up once,
  // mute and monitor sent off, the bar cleared.
  void AtArrival(bool mic_page_showing) { mic_.OnArrival(mic_page_showing); }
  // The arrival's re-sync forgets the monitoring state (its picture stays).
  void ClearMonitorState() { mic_.OnActivated(); }
  // A page became current: the meter runs on the microphone page only.
  void PageShown(int page) { mic_.OnPageShown(page); }
  // The window closes: meter, record test and listen route end.
  void StopSound() { mic_.OnShutdown(); }

  void ToggleMute() { mic_.ToggleMute(); }
  void ToggleBoost() { mic_.ToggleBoost(); }
  void ToggleMonitor() { mic_.ToggleMonitor(); }
  // The Mic knob stands at top (clamped to its travel).
  void SliderMoved(int top) { mic_.SliderMoved(top); }

  int Muted() const { return mic_.Mute(); }
  int Boosted() const { return mic_.Boost(); }
  int Monitoring() const { return mic_.Monitor(); }
  int Level() const { return mic_.Level(); }
  int MonitorKey() const { return mic_.MonitorMode(); }
  bool EndpointFound() const { return mic_.EndpointFound(); }
  const MicLifecycle& Page() const { return mic_; }

 private:
  MicLifecycle mic_;
};

}  // namespace audio77
