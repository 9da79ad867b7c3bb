// The device's capture endpoint found by the device text, and what each
// operation does with it, or without it.
#include "features/MicEndpoint.h"

#include <gtest/gtest.h>

#include "FakeSound.h"
#include "platform/RecordingDebugOutput.h"

namespace audio77::test {
namespace {

constexpr std::uint16_t kVid = 0x2E8D, kPid = 0x771F;

class MicEndpointTest : public ::testing::Test {
 protected:
  FakeEndpoints endpoints;
  RecordingDebugOutput debug;
  MicEndpoint mic{endpoints, debug};
};

TEST_F(MicEndpointTest, TheFirstEndpointWhosePathStartsWithTheDeviceTextCaseIgnored) {
  EXPECT_EQ(MicEndpoint::DeviceText(kVid, kPid), "\\\\?\\USB#VID_2E8D&PID_771F");
  EXPECT_EQ(MicEndpoint::DeviceText(0x8, 0xA), "\\\\?\\USB#VID_0008&PID_000A");
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> endpoints;
    std::optional<std::string> found;
  };
  const Case cases[] = {
      {"none", {}, std::nullopt},
      {"no USB path", {{"builtin", ""}}, std::nullopt},
      {"other product", {{"other", "\\\\?\\USB#VID_2E8D&PID_7720#other"}}, std::nullopt},
      {"lower case", {{"builtin", ""}, {"mic", "\\\\?\\usb#vid_2e8d&pid_771f#mic"}}, "mic"},
      {"first of two", {{"a", "\\\\?\\USB#VID_2E8D&PID_771F#a"}, {"b", "\\\\?\\USB#VID_2E8D&PID_771F#b"}}, "a"},
      {"shorter than the text", {{"short", "\\\\?\\USB#VID_2E8D"}}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeEndpoints list;
    for (const auto& [id, path] : c.endpoints) list.Add(id, path);
    MicEndpoint lookup(list, debug);
    EXPECT_EQ(lookup.Find(kVid, kPid), c.found);
  }
}

TEST_F(MicEndpointTest, LevelMuteAndBoostOnTheDevicesEndpoint) {
  endpoints.Add("builtin", "");
  endpoints.Add("mic", "\\\\?\\USB#VID_2E8D&PID_771F#mic");
  EXPECT_TRUE(mic.SetLevel(kVid, kPid, 50).Ok());
  EXPECT_FLOAT_EQ(endpoints.sources["mic"].scalar, 0.5f);
  EXPECT_EQ(debug.Lines(), std::vector<std::string>{" 50\n"});
  endpoints.sources["mic"].steps = {50, 101};
  EXPECT_EQ(mic.Level(kVid, kPid), 50);

  EXPECT_TRUE(mic.SetMute(kVid, kPid, 1).Ok());
  EXPECT_EQ(mic.Mute(kVid, kPid), 1);
  // A device without a boost switch reads 0 and switching it is not done.
  EXPECT_EQ(mic.Boost(kVid, kPid), 0);
  EXPECT_FALSE(mic.SetBoost(kVid, kPid, 1).Ok());
  for (const auto& call : endpoints.calls) EXPECT_EQ(call.find("builtin"), std::string::npos) << call;
}

TEST_F(MicEndpointTest, MuteIsTriedThreeTimes) {
  endpoints.Add("mic", "\\\\?\\USB#VID_2E8D&PID_771F#mic");
  struct Case {
    int failures;
    bool done;
    std::size_t calls;
  };
  for (const Case c : {Case{0, true, 1}, Case{2, true, 3}, Case{3, false, 3}, Case{5, false, 3}}) {
    SCOPED_TRACE(c.failures);
    endpoints.calls.clear();
    endpoints.sources["mic"].mute_failures = c.failures;
    EXPECT_EQ(mic.SetMute(kVid, kPid, 1).Ok(), c.done);
    EXPECT_EQ(endpoints.calls.size(), c.calls);
  }
}

TEST_F(MicEndpointTest, WithoutTheEndpointNothingIsDoneButTheLevelTrace) {
  endpoints.Add("builtin", "");
  EXPECT_FALSE(mic.SetLevel(kVid, kPid, 30).Ok());
  EXPECT_EQ(debug.Lines(), std::vector<std::string>{" 30\n"});
  EXPECT_FALSE(mic.Level(kVid, kPid).has_value());
  EXPECT_FALSE(mic.Mute(kVid, kPid).has_value());
  EXPECT_FALSE(mic.SetMute(kVid, kPid, 1).Ok());
  EXPECT_FALSE(mic.Boost(kVid, kPid).has_value());
  mic.SetListen(1, kVid, kPid);
  EXPECT_TRUE(endpoints.calls.empty());
}

TEST_F(MicEndpointTest, ListenReachesEveryEndpointOfTheDevice) {
  endpoints.Add("mic", "\\\\?\\USB#VID_2E8D&PID_771F#mic");
  endpoints.Add("builtin", "");
  endpoints.Add("mic2", "\\\\?\\USB#VID_2E8D&PID_771F#mic2");
  mic.SetListen(1, kVid, kPid);
  EXPECT_EQ(endpoints.ListenRoutes(), (std::vector<std::string>{"mic", "mic2"}));
  mic.SetListen(0, kVid, kPid);
  EXPECT_TRUE(endpoints.ListenRoutes().empty());
}

}  // namespace
}  // namespace audio77::test
