#pragma once
// The microphone page's state and its place in the window's sequences: level,
// boost, mute and monitor through the device's capture endpoint and the chip,
// the level meter while the page shows, the record test of monitor mode 2.
// Start-up, every arrival, activation, removal, page changes and shutdown
// call the named steps below in the window's orders.

#include <cstdint>
#include <memory>
#include <string>

#include "device/DeviceLibrary.h"
#include "device/DeviceStatus.h"
#include "features/LevelMeter.h"
#include "features/MicEndpoint.h"
#include "features/MicMonitor.h"
#include "features/MicView.h"
#include "features/RecordTest.h"
#include "platform/AudioEndpoints.h"
#include "platform/WaveOut.h"
#include "toolkit/EventLoop.h"

namespace audio77 {

struct MicDeps {
  DeviceLibrary& library;
  const DeviceStatus& device;
  DebugOutput& debug;
  MicView& view;
  AudioEndpoints& endpoints;
  WaveIn& wave_in;
  WaveOut& wave_out;
  toolkit::EventLoop& loop;
  std::string runtime_folder;  // private folder of the record test's file
  int monitor_mode = 1;        // "Mic" / "Monitor" of the configuration
};

class MicLifecycle {
 public:
  // The meter and the record test close with this object.
  explicit MicLifecycle(MicDeps deps);

  // Start-up (device active): switches reset, bar cleared, and a first look
  // at the endpoint with the meter open while the page is read.
  void OnStartup();
  // Every arrival, before the device is examined. mic_page_showing keeps
  // the meter open.
  void OnArrival(bool mic_page_showing);
  // Activation re-sync: monitor := 0.
  void OnActivated();
  // The device left: mute and monitor off on screen, nothing sent; the meter
  // stops and the record test ends (nothing keeps the microphone captured).
  void OnRemoved();
  // The window closes: meter, record test and listen route stopped.
  void OnShutdown();
  // The page shown now (3: the microphone page).
  void OnPageShown(int page);

  // SetMicLevel from the slider's knob top (already clamped), then
  // ShowMicLevel; without an endpoint the label and fill follow the knob.
  void SliderMoved(int knob_top);
  // False without an endpoint (then "endpoint found" is cleared).
  bool ShowMicLevel();
  void ShowMicSwitches();
  void RefreshMicPage();
  // "Mic Boost", "Mic Mute", "Monitor".
  void ToggleBoost();
  void ToggleMute();
  void ToggleMonitor();

  // "Mic" / "Monitor" of the configuration.
  void SetMonitorMode(int mode) { deps_.monitor_mode = mode; }
  int MonitorMode() const { return deps_.monitor_mode; }
  int Level() const { return level_; }
  int Boost() const { return boost_; }
  int Mute() const { return mute_; }
  int Monitor() const { return monitor_; }
  bool EndpointFound() const { return endpoint_found_; }
  const LevelMeter& Meter() const { return meter_; }
  const RecordTest& Recorder() const { return record_test_; }

 private:
  void LookAtEndpoint(bool keep_meter_open);
  void SetMonitorState(int value);
  void ShowLevelAt(int percent, int knob_top);
  std::uint16_t Vid() const { return deps_.device.VendorId(); }
  std::uint16_t Pid() const { return deps_.device.ProductId(); }

  MicDeps deps_;
  MicEndpoint endpoint_;
  LevelMeter meter_;
  RecordTest record_test_;
  MicMonitor monitor_control_;
  int level_ = 0;
  int boost_ = 0;
  int mute_ = 0;
  int monitor_ = 0;
  bool endpoint_found_ = false;
};

}  // namespace audio77
