// The virtual device in a real sound server: its sink and microphone come and
// go with the device, carry its IDs, and the microphone is the one the Mic
// page finds by the device text.
#include "sim/platform/VirtualSoundDevice.h"

#include <gtest/gtest.h>

#include "SoundServerFixture.h"
#include "features/MicEndpoint.h"
#include "platform/linux/PulseAudioEndpoints.h"
#include "platform/linux/PulseSoundCardHost.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

class VirtualSoundDeviceTest : public SoundServerTest {
 protected:
  void SetUp() override {
    SoundServerTest::SetUp();
    sim::VirtualDevice::Instance().Load(folder.path().string());
  }
  static bool InServer() {
    const std::string sources = Pactl({"list", "short", "sources"});
    const std::string sinks = Pactl({"list", "short", "sinks"});
    const bool mic = Contains(sources, "audio77_virtual_mic");
    EXPECT_EQ(mic, Contains(sinks, "audio77_virtual\t")) << sources << sinks;
    return mic;
  }

  TempDir folder;
  PulseSoundCardHost host{Connect()};
};

TEST_F(VirtualSoundDeviceTest, TheCardFollowsPlugAndUnplugAndLeavesWithTheProgram) {
  auto& device = sim::VirtualDevice::Instance();
  {
    sim::VirtualSoundDevice sound(device, host);
    sound.Settle();
    ASSERT_TRUE(sound.CardPresent());
    EXPECT_TRUE(InServer());
    const std::string details = Pactl({"list", "sources"});
    EXPECT_TRUE(Contains(details, "device.vendor.id = \"2e8d\""));
    EXPECT_TRUE(Contains(details, "device.product.id = \"771f\""));

    device.Unplug();
    sound.Settle();
    EXPECT_FALSE(sound.CardPresent());
    EXPECT_FALSE(InServer());
    device.Plug();
    sound.Settle();
    EXPECT_TRUE(InServer());

    // The Mic page's lookup finds the virtual microphone by the device text.
    PulseAudioEndpoints endpoints(Connect());
    MicEndpoint mic(endpoints, debug);
    EXPECT_EQ(mic.Find(0x2E8D, 0x771F), "audio77_virtual_mic");
    EXPECT_EQ(mic.Find(0x2E8D, 0x7720), std::nullopt);
  }
  EXPECT_FALSE(InServer());
}

TEST_F(VirtualSoundDeviceTest, AnUnpluggedDeviceShowsNothingAndACardLeftBehindIsReplaced) {
  auto& device = sim::VirtualDevice::Instance();
  device.Unplug();
  {
    sim::VirtualSoundDevice sound(device, host);
    sound.Settle();
    EXPECT_FALSE(InServer());
  }
  auto left_behind = host.Add("audio77_virtual", "Old", 0x2E8D, 0x771F);
  ASSERT_NE(left_behind, nullptr);
  auto fresh = host.Add("audio77_virtual", "New", 0x2E8D, 0x771F);
  ASSERT_NE(fresh, nullptr);
  const std::string modules = Pactl({"list", "short", "modules"});
  std::size_t sinks = 0;
  for (std::size_t at = 0; (at = modules.find("sink_name=audio77_virtual ", at)) != std::string::npos; ++at) ++sinks;
  EXPECT_EQ(sinks, 1u);
  left_behind.reset();  // its modules are gone already: nothing happens
  EXPECT_TRUE(InServer());
  fresh.reset();
  EXPECT_FALSE(InServer());
  EXPECT_EQ(host.Add("bad name\"", "x", 1, 2), nullptr);
}

}  // namespace
}  // namespace audio77::test
