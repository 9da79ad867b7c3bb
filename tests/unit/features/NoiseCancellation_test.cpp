// Noise cancellation alone: the switch-off at shutdown and the conditions of
// the hardware button's scan.
#include "features/NoiseCancellation.h"

#include <gtest/gtest.h>

#include "FeatureFixture.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using test::Library;
using Strings = std::vector<std::string>;

TEST(NoiseCancellation, ShutdownSwitchesNoiseCancellationThenVoiceEffectsOff) {
  FeatureFixture<NoiseCancellation> f;
  f.feature->OnShutdown();
  const Strings commands = Library(f.Take(), "DLLQK_AudioCommand");
  ASSERT_EQ(commands.size(), 2u) << Joined(commands);
  // Group 4 and group 7, sub-command 0, switch 0.
  EXPECT_EQ(commands[0].substr(0, 31), "DLLQK_AudioCommand 040000000000");
  EXPECT_EQ(commands[1].substr(0, 31), "DLLQK_AudioCommand 070000000000");
}

TEST(NoiseCancellation, TheButtonIsScannedOnlyWhenOfferedConfiguredAndItsGpioSet) {
  struct Case {
    bool available;
    int mode;
    const char* faults;
    std::size_t gpio_calls, scans;
  };
  const Case cases[] = {
      {true, 1, "", 1, 1},
      {false, 1, "", 0, 0},
      {true, 0, "", 0, 0},
      {true, 1, "[Faults]\nDLLQK_SetGpioModeEx_ById=1\n", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.available << c.mode << c.faults);
    FeatureFixture<NoiseCancellation> f(c.faults);
    f.feature->SetAvailable(c.available);
    f.feature->Configure(c.mode, 3);
    f.feature->StartButtonScanIfConfigured(0x2E8D, 0x771F, [](const DeviceLibrary::ButtonReport&) {});
    const Strings traffic = f.Take();
    const Strings gpio = Library(traffic, "DLLQK_SetGpioModeEx_ById");
    EXPECT_EQ(gpio.size(), c.gpio_calls) << Joined(traffic);
    if (!gpio.empty()) {
      EXPECT_EQ(gpio[0].substr(0, 39), "DLLQK_SetGpioModeEx_ById 0x03 0x00 0x00");
    }
    EXPECT_EQ(Library(traffic, "DLLQK_ScanButton_ById 11917 30495").size(), c.scans) << Joined(traffic);
  }
}

TEST(NoiseCancellation, RemovalForgetsTheButtonFlagOnly) {
  FeatureFixture<NoiseCancellation> f;
  f.feature->SetAvailable(true);
  f.feature->SetLevel(12);
  f.feature->OnRemoved();
  EXPECT_EQ(f.feature->ButtonFlag(), 0);
  EXPECT_TRUE(f.feature->Available());
  EXPECT_EQ(f.feature->Level(), 12);
  EXPECT_TRUE(f.Take().empty());
}

}  // namespace
}  // namespace audio77
