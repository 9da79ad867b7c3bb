#include "features/VoiceMagicControl.h"

#include "EncFixture.h"

namespace audio77::test {
namespace {

using Strings = std::vector<std::string>;

class VoiceMagicTest : public EncFixture {
 protected:
  VoiceMagicControl voice_{{library_, status_, registry_, display_}};
  std::pair<std::optional<std::uint32_t>, std::optional<std::uint32_t>> Stored() {
    return {RegistryValue(kSoftware, "VoiceMagicEnable"), RegistryValue(kSoftware, "VoiceMagicLevel")};
  }
};

TEST_F(VoiceMagicTest, TheRegistryStateGoesToTheDeviceOnlyWithEncSupport) {
  SetRegistry(kSoftware, "VoiceMagicEnable", 1);
  SetRegistry(kSoftware, "VoiceMagicLevel", 19);
  voice_.LoadVoiceMagic(false);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(voice_.On(), 0);

  voice_.LoadVoiceMagic(true);
  EXPECT_EQ(voice_.On(), 1);
  EXPECT_EQ(voice_.Effect(), 2);
  // The switch, then the effect twice: once with the switch, once on its own.
  EXPECT_EQ(Take(), (Strings{"7/0 01000000", "7/2 01000000070000000000", "7/2 01000000070000000000"}));
  EXPECT_EQ(Stored(), std::pair(std::optional(1u), std::optional(19u)));

  // A level no effect has: effect none, stored as such from now on.
  SetRegistry(kSoftware, "VoiceMagicLevel", 5);
  voice_.LoadVoiceMagic(true);
  EXPECT_EQ(voice_.Effect(), 0);
  EXPECT_EQ(Stored().second, 12u);
}

TEST_F(VoiceMagicTest, EachEffectButtonSendsItsOffsetAndStoresItsLevel) {
  voice_.SwitchClicked(true);
  Take();
  struct Case {
    int effect;
    const char* command;
    std::uint32_t level;
  };
  const Case cases[] = {
      {1, "7/2 01000000fdff00000000", 9},  {2, "7/2 01000000070000000000", 19},
      {3, "7/2 01000000f6ff00000000", 2},  {4, "7/2 010000000c0000000000", 24},
      {0, "7/2 01000000000000000000", 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.effect);
    voice_.EffectClicked(c.effect, true);
    EXPECT_EQ(Take(), (Strings{c.command}));
    EXPECT_EQ(Stored().second, c.level);
    for (int n = 0; n <= 4; ++n) {
      const std::string stem = n == 0 ? "VMEffectNone" : "VMEffect" + std::to_string(n);
      EXPECT_EQ(display_.pictures[stem + "Image"], stem + (n == c.effect ? "DownImage" : "UpImage"));
      EXPECT_EQ(display_.down[stem + "Label"], n == c.effect);
    }
  }
}

TEST_F(VoiceMagicTest, TheSwitchSendsItselfAndTheEffectAndWithoutEncSupportWarns) {
  voice_.EffectClicked(3, false);
  voice_.SwitchClicked(false);
  EXPECT_EQ(display_.warnings, 2);
  EXPECT_TRUE(Take().empty());
  status_.active = false;
  voice_.SwitchClicked(false);
  EXPECT_EQ(display_.warnings, 2) << "no device: the window's own warning";
  status_.active = true;

  voice_.EffectClicked(3, true);
  Take();
  voice_.SwitchClicked(true);
  EXPECT_EQ(display_.pictures["VMFunctionImage"], "VMFunctionDownImage");
  EXPECT_TRUE(display_.down["VMFunctionLabel"]);
  EXPECT_EQ(Take(), (Strings{"7/0 01000000", "7/2 01000000f6ff00000000"}));
  EXPECT_EQ(Stored(), std::pair(std::optional(1u), std::optional(2u)));
  voice_.SwitchClicked(true);
  EXPECT_EQ(Take(), (Strings{"7/0 00000000", "7/2 00000000f6ff00000000"}));
  EXPECT_EQ(display_.pictures["VMFunctionImage"], "VMFunctionUpImage");
}

TEST_F(VoiceMagicTest, RemovalStoresOffAndSendsNothingShutdownSendsOff) {
  voice_.SwitchClicked(true);
  voice_.EffectClicked(4, true);
  Take();
  voice_.OnRemoved();
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(Stored(), std::pair(std::optional(0u), std::optional(24u)));
  EXPECT_EQ(display_.pictures["VMFunctionImage"], "VMFunctionUpImage");
  EXPECT_EQ(display_.pictures["VMEffectNoneImage"], "VMEffectNoneDownImage");
  EXPECT_EQ(display_.pictures["VMEffect4Image"], "VMEffect4UpImage");

  voice_.OnShutdown(false);
  EXPECT_TRUE(Take().empty());
  voice_.OnShutdown(true);
  EXPECT_EQ(Take(), (Strings{"7/0 00000000"}));
}

}  // namespace
}  // namespace audio77::test
