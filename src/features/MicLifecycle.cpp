#include "features/MicLifecycle.h"

#include "features/MicLevelSteps.h"

namespace audio77 {
namespace {

constexpr int kMicPage = 3;

}  // namespace

MicLifecycle::MicLifecycle(MicDeps deps)
    : deps_(std::move(deps)),
      endpoint_(deps_.endpoints, deps_.debug),
      meter_(deps_.wave_in, [loop = &deps_.loop](std::function<void()> task) { loop->Post(std::move(task)); },
             deps_.debug),
      record_test_(deps_.wave_in, deps_.wave_out, deps_.loop, deps_.runtime_folder, deps_.debug),
      monitor_control_(deps_.library, endpoint_, record_test_) {
  meter_.SetBar(deps_.view.ProgressMaximum(), [this](int width) { deps_.view.SetProgressWidth(width); });
}

void MicLifecycle::LookAtEndpoint(bool keep_meter_open) {
  if (!endpoint_.Find(Vid(), Pid())) return;
  meter_.Start().Ignore("the page is read whether or not the meter runs");
  RefreshMicPage();
  if (!keep_meter_open) meter_.Stop();
  endpoint_found_ = true;
}

void MicLifecycle::OnStartup() {
  if (!deps_.device.Active()) return;
  boost_ = 0;
  mute_ = 0;
  deps_.view.ShowSwitch(MicView::kBoostTag, 0);
  deps_.view.ShowSwitch(MicView::kMuteTag, 0);
  meter_.ClearWidth();
  LookAtEndpoint(false);
}

void MicLifecycle::OnArrival(bool mic_page_showing) {
  if (!endpoint_found_) LookAtEndpoint(mic_page_showing);
  // What is sent off shows off, so the switches say what the device does.
  mute_ = 0;
  deps_.view.ShowSwitch(MicView::kMuteTag, 0);
  endpoint_.SetMute(Vid(), Pid(), 0).Ignore("failures are silent");
  SetMonitorState(0);
  monitor_control_.Set(deps_.monitor_mode, 0, Vid(), Pid()).Ignore("callers go on");
  meter_.ClearWidth();
}

void MicLifecycle::OnActivated() { monitor_ = 0; }

void MicLifecycle::OnRemoved() {
  mute_ = 0;
  deps_.view.ShowSwitch(MicView::kMuteTag, 0);
  SetMonitorState(0);
  endpoint_found_ = false;
  meter_.Stop();
  record_test_.Stop();
}

void MicLifecycle::OnShutdown() {
  meter_.Stop();
  record_test_.Stop();
  // A listen route of ours is not left behind in the user's sound server.
  if (monitor_ != 0 && deps_.monitor_mode != 2) endpoint_.SetListen(0, Vid(), Pid());
}

void MicLifecycle::OnPageShown(int page) {
  if (page == kMicPage) {
    meter_.Start().Ignore("no capture: the bar stays as it is");
  } else {
    meter_.Stop();
  }
}

void MicLifecycle::SliderMoved(int knob_top) {
  const int percent = MicLevelSteps::PercentFromKnob(deps_.view.TravelTop(), deps_.view.TravelLength(), knob_top);
  endpoint_.SetLevel(Vid(), Pid(), percent).Ignore("failures are silent");
  // Without an endpoint the knob stays where it was put, and says so.
  if (!ShowMicLevel()) ShowLevelAt(percent, knob_top);
}

bool MicLifecycle::ShowMicLevel() {
  const auto percent = endpoint_.Level(Vid(), Pid());
  if (!percent) {
    endpoint_found_ = false;
    return false;
  }
  ShowLevelAt(*percent, MicLevelSteps::KnobTop(deps_.view.TravelTop(), deps_.view.TravelLength(), *percent));
  return true;
}

void MicLifecycle::ShowLevelAt(int percent, int knob_top) {
  level_ = percent;
  deps_.view.SetValueLabel(std::to_string(level_));
  deps_.view.SetKnobTop(knob_top);
  deps_.view.SetFillHeight(MicLevelSteps::FillHeight(knob_top, deps_.view.KnobHeight(), deps_.view.FillTop()));
}

void MicLifecycle::ShowMicSwitches() {
  const auto boost = endpoint_.Boost(Vid(), Pid());
  if (!boost) return;  // a failed boost read stops before mute is read
  boost_ = *boost;
  deps_.view.ShowSwitch(MicView::kBoostTag, boost_);
  const auto mute = endpoint_.Mute(Vid(), Pid());
  if (!mute) return;
  mute_ = *mute;
  deps_.view.ShowSwitch(MicView::kMuteTag, mute_);
}

void MicLifecycle::RefreshMicPage() {
  ShowMicLevel();
  ShowMicSwitches();
}

void MicLifecycle::ToggleBoost() {
  boost_ = boost_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(MicView::kBoostTag, boost_);
  endpoint_.SetBoost(Vid(), Pid(), boost_).Ignore("failures are silent");
}

void MicLifecycle::ToggleMute() {
  mute_ = mute_ == 0 ? 1 : 0;
  deps_.view.ShowSwitch(MicView::kMuteTag, mute_);
  endpoint_.SetMute(Vid(), Pid(), mute_).Ignore("failures are silent");
}

void MicLifecycle::ToggleMonitor() {
  SetMonitorState(monitor_ == 0 ? 1 : 0);
  monitor_control_.Set(deps_.monitor_mode, monitor_, Vid(), Pid()).Ignore("callers go on");
}

void MicLifecycle::SetMonitorState(int value) {
  monitor_ = value;
  deps_.view.ShowSwitch(MicView::kMonitorTag, monitor_);
}

}  // namespace audio77
