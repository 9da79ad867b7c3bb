// The microphone page through the window's sequences: start-up, arrival,
// page changes, removal and shutdown, with the switches and the slider, on
// the virtual device and in-memory sound services.
#include "features/MicLifecycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "FakeSound.h"
#include "platform/ManualClock.h"
#include "support/DeviceTraffic.h"
#include "unit/device/DeviceLibraryFixture.h"

namespace audio77::test {
namespace {

constexpr std::uint16_t kVid = 0x2E8D, kPid = 0x771F;

class TestStatus final : public DeviceStatus {
 public:
  std::uint16_t VendorId() const override { return kVid; }
  std::uint16_t ProductId() const override { return kPid; }
  bool Active() const override { return active; }
  bool RegisterSync() const override { return active; }
  bool active = true;
};


class MicLifecycleTest : public DeviceLibraryFixture {
 protected:
  void SetUp() override {
    DeviceLibraryFixture::SetUp();
    ASSERT_EQ(library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
    ASSERT_EQ(library_.SetActive_Device(kVid, kPid), 0);
    endpoints.Add("builtin", "");
    endpoints.Add("mic", "\\\\?\\USB#VID_2E8D&PID_771F#mic");
    endpoints.sources["mic"].steps = {50, 101};
    ClearTrace();
  }
  MicDeps Deps(int monitor_mode = 1) {
    return MicDeps{library_, status, debug_, view, endpoints, wave_in, wave_out, loop, runtime.File("run"),
                   monitor_mode};
  }
  std::vector<std::string> Take() {
    auto traffic = Traffic(TraceLines());
    ClearTrace();
    return traffic;
  }

  TestStatus status;
  RecordingMicView view;
  FakeEndpoints endpoints;
  FakeWaveIn wave_in;
  FakeWaveOut wave_out;
  ManualClock clock;
  toolkit::EventLoop loop{clock};
  TempDir runtime;
};

TEST_F(MicLifecycleTest, StartUpReadsThePageWithTheMeterOpenOnlyWhileReading) {
  endpoints.sources["mic"].mute = true;
  MicLifecycle mic(Deps());
  mic.OnStartup();
  EXPECT_TRUE(mic.EndpointFound());
  EXPECT_EQ(mic.Level(), 50);
  EXPECT_EQ(view.label, "50");
  EXPECT_EQ(view.top, 160);
  EXPECT_EQ(view.fill, 70);
  EXPECT_EQ(view.width, 0);
  EXPECT_EQ(mic.Mute(), 1);
  EXPECT_EQ(view.switches[MicView::kMuteTag], 1);
  EXPECT_EQ(view.switches[MicView::kBoostTag], 0);
  EXPECT_EQ(wave_in.captures.size(), 1u);
  EXPECT_EQ(wave_in.OpenCount(), 0);
  EXPECT_TRUE(Take().empty());
}

TEST_F(MicLifecycleTest, WithoutTheEndpointStartUpTouchesNothing) {
  endpoints.list.pop_back();
  MicLifecycle mic(Deps());
  mic.OnStartup();
  EXPECT_FALSE(mic.EndpointFound());
  EXPECT_TRUE(wave_in.captures.empty());
  EXPECT_EQ(view.label, "");
  status.active = false;
  MicLifecycle inactive(Deps());
  inactive.OnStartup();
  EXPECT_TRUE(wave_in.captures.empty());
}

TEST_F(MicLifecycleTest, EveryArrivalUnmutesAndSwitchesTheMonitorOffKeepingOneMeterOnTheMicPage) {
  MicLifecycle mic(Deps(3));
  mic.OnPageShown(3);
  EXPECT_EQ(wave_in.OpenCount(), 1);
  mic.OnArrival(true);  // endpoint not yet found: looked up, meter stays open
  EXPECT_TRUE(mic.EndpointFound());
  mic.OnArrival(true);
  EXPECT_EQ(wave_in.OpenCount(), 1);
  EXPECT_EQ(wave_in.captures.size(), 1u) << "a second capture was opened";
  const auto traffic = Take();
  ASSERT_EQ(traffic.size(), 6u);  // twice: read 0x200, 0x200 := 4, 0x230 := 0
  EXPECT_EQ(traffic[2].rfind("lib DLLQK_Write_Register_ById 560 0x00", 0), 0u) << traffic[2];
  EXPECT_EQ(std::count(endpoints.calls.begin(), endpoints.calls.end(), "mute mic"), 2);
  EXPECT_EQ(std::count(endpoints.calls.begin(), endpoints.calls.end(), "listen mic off"), 2);
  EXPECT_EQ(view.width, 0);

  mic.OnPageShown(1);
  EXPECT_EQ(wave_in.OpenCount(), 0);
  // Away from the page an arrival opens no capture.
  MicLifecycle later(Deps(3));
  later.OnArrival(false);
  EXPECT_EQ(wave_in.OpenCount(), 0);
}

TEST_F(MicLifecycleTest, TheMeterRunsOnlyOnTheMicPageAndShowsItsBuffers) {
  MicLifecycle mic(Deps());
  mic.OnPageShown(1);
  EXPECT_TRUE(wave_in.captures.empty());
  EXPECT_TRUE(endpoints.calls.empty());
  mic.OnPageShown(3);
  mic.OnPageShown(3);
  ASSERT_EQ(wave_in.captures.size(), 1u);
  wave_in.captures[0]->on_buffer(std::vector<std::uint8_t>(400, 192));
  loop.DispatchQueued();
  EXPECT_EQ(view.width, 198);
  mic.OnPageShown(4);
  EXPECT_EQ(wave_in.OpenCount(), 0);
}

TEST_F(MicLifecycleTest, RemovalShowsMuteAndMonitorOffSendsNothingAndReleasesTheMicrophone) {
  MicLifecycle mic(Deps(2));
  mic.OnStartup();
  mic.OnPageShown(3);
  mic.ToggleMute();
  mic.ToggleMonitor();  // mode 2: the record test
  EXPECT_TRUE(mic.Recorder().Running());
  ClearTrace();
  endpoints.calls.clear();
  mic.OnRemoved();
  EXPECT_EQ(mic.Mute(), 0);
  EXPECT_EQ(mic.Monitor(), 0);
  EXPECT_EQ(view.switches[MicView::kMuteTag], 0);
  EXPECT_EQ(view.switches[MicView::kMonitorTag], 0);
  EXPECT_FALSE(mic.EndpointFound());
  EXPECT_EQ(wave_in.OpenCount(), 0);
  EXPECT_FALSE(mic.Recorder().Running());
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(endpoints.calls.empty());
}

TEST_F(MicLifecycleTest, SwitchesSliderAndShutdown) {
  MicLifecycle mic(Deps(1));
  mic.ToggleMute();
  EXPECT_TRUE(endpoints.sources["mic"].mute);
  EXPECT_EQ(view.switches[MicView::kMuteTag], 1);
  mic.ToggleBoost();  // no boost switch: the picture follows the click, nothing changes
  EXPECT_EQ(view.switches[MicView::kBoostTag], 1);

  mic.ToggleMonitor();
  EXPECT_EQ(mic.Monitor(), 1);
  EXPECT_TRUE(endpoints.sources["mic"].listen);
  EXPECT_EQ(device().Snapshot().registers[0x230], 0x20);

  mic.SliderMoved(100);  // the top: 100 %
  EXPECT_FLOAT_EQ(endpoints.sources["mic"].scalar, 1.0f);
  mic.SliderMoved(220);  // the bottom: 0 %
  EXPECT_FLOAT_EQ(endpoints.sources["mic"].scalar, 0.0f);
  EXPECT_EQ(debug_.Lines(), (std::vector<std::string>{" 100\n", " 0\n"}));

  mic.OnActivated();
  EXPECT_EQ(mic.Monitor(), 0);
  mic.ToggleMonitor();
  mic.OnShutdown();
  EXPECT_FALSE(endpoints.sources["mic"].listen) << "a listen route left behind at exit";

  // The endpoint vanished: the level read clears "endpoint found".
  mic.OnStartup();
  ASSERT_TRUE(mic.EndpointFound());
  endpoints.list.pop_back();
  mic.SliderMoved(160);
  EXPECT_FALSE(mic.EndpointFound());
}

}  // namespace
}  // namespace audio77::test
