// Voice effects on the virtual device without a window: the registry state,
// the switch and the five effects, the ENC support they depend on, removal
// and shutdown.
#include "features/VoiceMagic.h"

#include "EncFixture.h"

namespace audio77::test {
namespace {

using Strings = std::vector<std::string>;

class VoiceMagicTest : public EncFixture {
 protected:
  VoiceMagicTest() { voice_.FollowEncSupport([this] { return enc_supported_; }); }
  bool enc_supported_ = true;
  VoiceMagic voice_{Deps(), Parts(registry_)};
  std::pair<std::optional<std::uint32_t>, std::optional<std::uint32_t>> Stored() {
    return {RegistryValue(kSoftware, "VoiceMagicEnable"), RegistryValue(kSoftware, "VoiceMagicLevel")};
  }
};

TEST_F(VoiceMagicTest, TheRegistryStateGoesToTheDeviceOnlyWithEncSupport) {
  SetRegistry(kSoftware, "VoiceMagicEnable", 1);
  SetRegistry(kSoftware, "VoiceMagicLevel", 19);
  enc_supported_ = false;
  voice_.LoadVoiceMagic();
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(voice_.On(), 0);

  enc_supported_ = true;
  voice_.LoadVoiceMagic();
  EXPECT_EQ(voice_.On(), 1);
  EXPECT_EQ(voice_.Effect(), 2);
  // The switch, then the effect twice: once with the switch, once on its own.
  EXPECT_EQ(Take(), (Strings{"7/0 01000000", "7/2 01000000070000000000", "7/2 01000000070000000000"}));
  EXPECT_EQ(Stored(), std::pair(std::optional(1u), std::optional(19u)));

  // A level no effect has: effect none, stored as such from now on.
  SetRegistry(kSoftware, "VoiceMagicLevel", 5);
  voice_.LoadVoiceMagic();
  EXPECT_EQ(voice_.Effect(), 0);
  EXPECT_EQ(Stored().second, 12u);
}

TEST_F(VoiceMagicTest, EachEffectButtonSendsItsOffsetAndStoresItsLevel) {
  voice_.SwitchClicked();
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
    voice_.EffectClicked(c.effect);
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
  enc_supported_ = false;
  voice_.EffectClicked(3);
  voice_.SwitchClicked();
  EXPECT_EQ(display_.warnings, 2);
  EXPECT_TRUE(Take().empty());
  status_.active = false;
  voice_.SwitchClicked();
  EXPECT_EQ(display_.warnings, 2) << "no device: nothing at all";
  status_.active = true;
  enc_supported_ = true;

  voice_.EffectClicked(3);
  Take();
  voice_.SwitchClicked();
  EXPECT_EQ(display_.pictures["VMFunctionImage"], "VMFunctionDownImage");
  EXPECT_TRUE(display_.down["VMFunctionLabel"]);
  EXPECT_EQ(Take(), (Strings{"7/0 01000000", "7/2 01000000f6ff00000000"}));
  EXPECT_EQ(Stored(), std::pair(std::optional(1u), std::optional(2u)));
  voice_.SwitchClicked();
  EXPECT_EQ(Take(), (Strings{"7/0 00000000", "7/2 00000000f6ff00000000"}));
  EXPECT_EQ(display_.pictures["VMFunctionImage"], "VMFunctionUpImage");
}

TEST_F(VoiceMagicTest, RemovalStoresOffAndSendsNothingShutdownSendsOff) {
  voice_.SwitchClicked();
  voice_.EffectClicked(4);
  Take();
  voice_.OnRemoved();
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(Stored(), std::pair(std::optional(0u), std::optional(24u)));
  EXPECT_EQ(display_.pictures["VMFunctionImage"], "VMFunctionUpImage");
  EXPECT_EQ(display_.pictures["VMEffectNoneImage"], "VMEffectNoneDownImage");
  EXPECT_EQ(display_.pictures["VMEffect4Image"], "VMEffect4UpImage");

  voice_.OnShutdown();
  EXPECT_EQ(Take(), (Strings{"7/0 00000000"}));
}

TEST_F(VoiceMagicTest, AnEffectNumberNoButtonHasIsEffectNone) {
  voice_.SwitchClicked();
  Take();
  for (int effect : {5, -1, 99}) {
    SCOPED_TRACE(effect);
    voice_.EffectClicked(effect);
    EXPECT_EQ(voice_.Effect(), 0);
    EXPECT_EQ(Take(), (Strings{"7/2 01000000000000000000"}));
    EXPECT_EQ(Stored().second, 12u);
  }
}

TEST_F(VoiceMagicTest, TheProfileGetsTheSwitchAndTheEffect) {
  struct Writer : ProfileWriter {
    Strings lines;
    void WriteInt(const std::string& s, const std::string& k, std::int64_t v) override {
      lines.push_back(s + "/" + k + "=" + std::to_string(v));
    }
    void WriteText(const std::string& s, const std::string& k, const std::string& v) override {
      lines.push_back(s + "/" + k + "=" + v);
    }
  } writer;
  voice_.SwitchClicked();
  voice_.EffectClicked(2);
  voice_.Save(writer);
  EXPECT_EQ(writer.lines, (Strings{"VoiceMagic/VoiceMagicEN=1", "VoiceMagic/VoiceMagicMode=2"}));
}

}  // namespace
}  // namespace audio77::test
