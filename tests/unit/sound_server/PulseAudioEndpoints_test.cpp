// The capture endpoints of a real sound server: found by the USB IDs their
// properties carry, volume, mute and the listen route read back with pactl.
#include "platform/linux/PulseAudioEndpoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "SoundServerFixture.h"

namespace audio77::test {
namespace {

class PulseAudioEndpointsTest : public SoundServerTest {
 protected:
  const CaptureEndpoint* Find(const std::vector<CaptureEndpoint>& all, const std::string& id) {
    const auto found = std::find_if(all.begin(), all.end(), [&](const auto& e) { return e.id == id; });
    return found == all.end() ? nullptr : &*found;
  }
  int LoopbacksOf(const std::string& source) {
    const std::string modules = Pactl({"list", "short", "modules"});
    int count = 0;
    for (std::size_t at = 0; (at = modules.find("module-loopback", at)) != std::string::npos; ++at) {
      const auto line_end = modules.find('\n', at);
      if (Contains(modules.substr(at, line_end - at), "source=\"" + source + "\"")) ++count;
    }
    return count;
  }
};

TEST(PulseInterfacePath, UsbIdsInEveryServersSpelling) {
  struct Case {
    const char* vendor;
    const char* product;
    std::string path;
  };
  const Case cases[] = {
      {"2e8d", "771f", "\\\\?\\USB#VID_2E8D&PID_771F#src"},    // PulseAudio's ALSA cards
      {"0x2e8d", "0x771f", "\\\\?\\USB#VID_2E8D&PID_771F#src"},  // PipeWire
      {"8", "0X1A", "\\\\?\\USB#VID_0008&PID_001A#src"},
      {nullptr, "771f", ""},
      {"2e8d", "", ""},
      {"2e8dd", "771f", ""},
      {"0x", "771f", ""},
      {"zz8d", "771f", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.vendor ? c.vendor : "null") + "/" + c.product);
    EXPECT_EQ(PulseAudioEndpoints::InterfacePath(c.vendor, c.product, "src"), c.path);
  }
}

TEST_F(PulseAudioEndpointsTest, SourcesCarryTheirCardsUsbIdsAndMonitorsAreLeftOut) {
  UsbMicrophone device("audio77_ids", "2e8d", "0x771f");
  UsbMicrophone plain("audio77_plain", "", "");
  PulseAudioEndpoints endpoints(Connect());

  const auto all = endpoints.CaptureEndpoints();
  const CaptureEndpoint* mic = Find(all, device.source);
  ASSERT_NE(mic, nullptr);
  EXPECT_EQ(mic->interface_path, "\\\\?\\USB#VID_2E8D&PID_771F#" + device.source);
  EXPECT_EQ(mic->description, "audio77_ids-Mic");
  ASSERT_NE(Find(all, plain.source), nullptr);
  EXPECT_EQ(Find(all, plain.source)->interface_path, "");
  EXPECT_EQ(Find(all, device.sink + ".monitor"), nullptr);
  EXPECT_NE(Find(all, "test_input"), nullptr);
}

TEST_F(PulseAudioEndpointsTest, VolumeAndMuteReachTheServer) {
  UsbMicrophone device("audio77_volume", "2e8d", "771f");
  PulseAudioEndpoints endpoints(Connect());

  struct Case {
    float scalar;
    const char* shown;  // pactl's percentage
    std::uint32_t step;
  };
  for (const Case c : {Case{0.5f, "50%", 50}, Case{1.0f, "100%", 100}, Case{0.0f, "0%", 0}, Case{0.37f, "37%", 37}}) {
    SCOPED_TRACE(c.shown);
    ASSERT_TRUE(endpoints.SetVolumeScalar(device.source, c.scalar));
    EXPECT_TRUE(Contains(Pactl({"get-source-volume", device.source}), std::string(" ") + c.shown + " "));
    const auto steps = endpoints.VolumeStepInfo(device.source);
    ASSERT_TRUE(steps.has_value());
    EXPECT_EQ(steps->step, c.step);
    EXPECT_EQ(steps->count, 101u);
  }
  // Above the normal volume (set by someone else) still reads as the top step.
  Pactl({"set-source-volume", device.source, "150%"});
  EXPECT_EQ(endpoints.VolumeStepInfo(device.source)->step, 100u);

  ASSERT_TRUE(endpoints.SetMute(device.source, true));
  EXPECT_TRUE(Contains(Pactl({"get-source-mute", device.source}), "yes"));
  EXPECT_EQ(endpoints.Mute(device.source), true);
  ASSERT_TRUE(endpoints.SetMute(device.source, false));
  EXPECT_TRUE(Contains(Pactl({"get-source-mute", device.source}), "no"));
  EXPECT_EQ(endpoints.Mute(device.source), false);
  // No boost switch on the server: it reads off and does not switch.
  EXPECT_EQ(endpoints.Boost(device.source), false);
  EXPECT_FALSE(endpoints.SetBoost(device.source, true));
}

TEST_F(PulseAudioEndpointsTest, AVanishedSourceAnswersNotDone) {
  PulseAudioEndpoints endpoints(Connect());
  EXPECT_FALSE(endpoints.VolumeStepInfo("audio77_missing").has_value());
  EXPECT_FALSE(endpoints.SetVolumeScalar("audio77_missing", 0.5f));
  EXPECT_FALSE(endpoints.Mute("audio77_missing").has_value());
  EXPECT_FALSE(endpoints.SetMute("audio77_missing", true));
  EXPECT_FALSE(endpoints.Boost("audio77_missing").has_value());
  EXPECT_FALSE(endpoints.SetListen("audio77_missing", true));
}

TEST_F(PulseAudioEndpointsTest, ListenIsOneLoopbackFoundAgainByTheNextProgram) {
  UsbMicrophone device("audio77_listen", "2e8d", "771f");
  {
    PulseAudioEndpoints endpoints(Connect());
    ASSERT_TRUE(endpoints.SetListen(device.source, true));
    ASSERT_TRUE(endpoints.SetListen(device.source, true));
    EXPECT_EQ(LoopbacksOf(device.source), 1);
  }
  // A new connection, as after a restart of the program.
  PulseAudioEndpoints endpoints(Connect());
  EXPECT_EQ(endpoints.ListenRoutes(), std::vector<std::string>{device.source});
  ASSERT_TRUE(endpoints.SetListen(device.source, true));
  EXPECT_EQ(LoopbacksOf(device.source), 1);
  ASSERT_TRUE(endpoints.SetListen(device.source, false));
  EXPECT_EQ(LoopbacksOf(device.source), 0);
  EXPECT_TRUE(endpoints.ListenRoutes().empty());
  // A name that would break the module's argument text is refused.
  EXPECT_FALSE(endpoints.SetListen("x\" sink=\"elsewhere", true));
}

TEST_F(PulseAudioEndpointsTest, WithoutAServerThereAreNoEndpointsAndNothingWaitsLong) {
  const std::string server = std::getenv("PULSE_SERVER");
  setenv("PULSE_SERVER", "unix:/nonexistent/audio77/native", 1);
  PulseAudioEndpoints endpoints(Connect());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(endpoints.CaptureEndpoints().empty());
  EXPECT_FALSE(endpoints.SetMute("test_input", true));
  EXPECT_FALSE(endpoints.VolumeStepInfo("test_input").has_value());
  EXPECT_TRUE(endpoints.ListenRoutes().empty());
  const auto waited = std::chrono::steady_clock::now() - start;
  setenv("PULSE_SERVER", server.c_str(), 1);
  // Every request is bounded (four requests, one second each at most).
  EXPECT_LT(waited, std::chrono::seconds(4));
  // Said once, not at every request.
  EXPECT_EQ(debug.Lines(), std::vector<std::string>{"==> sound server not reachable\n"});
}

}  // namespace
}  // namespace audio77::test
