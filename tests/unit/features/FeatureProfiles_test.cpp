// Each feature's keys of a profile, saved and applied on the virtual device:
// the formats, the ranges a profile's values are kept to, where an apply
// stops, and that saving sends nothing.
#include <gtest/gtest.h>

#include "FeatureFixture.h"
#include "PlacementTraffic.h"
#include "support/InOrder.h"
#include "features/EnvironmentEffects.h"
#include "features/Equalizer.h"
#include "features/Sound3D.h"
#include "features/Virtual71.h"
#include "lighting/Lighting.h"
#include "platform/InProcessFileGuard.h"
#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using test::Library;
using Strings = std::vector<std::string>;

// Profile files in a folder of the test's own.
class Files {
 public:
  std::string Save(Feature& feature) {
    ProfileFileWriter writer(profiles_, dir_.File("saved.ini"));
    feature.Save(writer);
    EXPECT_EQ(writer.Commit(), std::nullopt);
    return dir_.Read("saved.ini");
  }
  void Load(Feature& feature, const std::string& text) {
    ProfileFileReader reader(profiles_, dir_.Write("load.ini", text));
    feature.Load(reader);
  }

 private:
  InProcessFileGuard guard_;
  PrivateProfile profiles_{guard_};
  test::TempDir dir_;
};

TEST(FeatureProfiles, TheEqualizerSavesItsPresetsWithoutADeviceExchangeAndLoadsThemWithinTheKnobsRange) {
  FeatureFixture<Equalizer> f;
  Files files;
  Equalizer& eq = *f.feature;
  eq.InitEqualizer();
  eq.StoreAllPresets();
  const std::string loaded =
      "[EQ]\nEQFromEEPROM=1\nS1=0x9FF,0x200,0x400,0x41A,0x7A1,1\nS2=0x100,0xFFF,-5,1024,0x400,7\n"
      "S3=0x400,0x400,0x400,0x400,0x400,0\nS4=0x500,0x500,0x500,0x500,0x500,1\nEQEN=1\n";
  files.Load(eq, loaded);
  EXPECT_EQ(eq.Enabled(), 1);
  EXPECT_EQ(eq.FromEeprom(), 1);
  f.Take();
  const std::string saved = files.Save(eq);
  EXPECT_TRUE(f.Take().empty()) << "saving a profile reaches no device";
  EXPECT_EQ(saved,
            "[EQ]\r\nS1=0x9FF,0x200,0x400,0x41A,0x7A1,1\r\nS2=0x200,0x9FF,0x200,0x400,0x400,1\r\n"
            "S3=0x400,0x400,0x400,0x400,0x400,1\r\nS4=0x500,0x500,0x500,0x500,0x500,1\r\nEQEN=1\r\nEQFromEEPROM=1\r\n");

  // A bad code stops the apply at its preset; the presets before it stay.
  EXPECT_THROW(files.Load(eq, "[EQ]\nS1=0x600,0x600,0x600,0x600,0x600,0\nS2=0x400,zz,0x400,0x400,0x400,0\n"),
               EConvertError);
  EXPECT_EQ(EqualizerCodec::Unpack(eq.SlotBytes(0)).codes[0], 0x600);
  EXPECT_EQ(EqualizerCodec::Unpack(eq.SlotBytes(1)).codes[1], 0x9FF);
  EXPECT_THROW(files.Load(eq, "[EQ]\nEQEN=1\n"), EConvertError);  // "S1" is strict: missing is no number
}

TEST(FeatureProfiles, ThreeDSavesEverythingAndTakesOnlyItsSwitchAndFlagFromAProfile) {
  FeatureFixture<Sound3D> f;
  Files files;
  f.feature->Init3DRecord();
  files.Load(*f.feature, "[3D]\nLeftAlpha=99\n3DEN=1\n3DFromEEPROM=1\n");
  EXPECT_EQ(f.feature->Enabled(), 1);
  EXPECT_EQ(f.feature->FromEeprom(), 1);
  EXPECT_EQ(f.view.switches[Sound3D::kEnableTag], 1);
  EXPECT_EQ(Library(f.Take(), "DLLQK_Set3D_OnOff_ById 1").size(), 1u);
  EXPECT_EQ(files.Save(*f.feature),
            "[3D]\r\nLeftAlpha=10\r\nLeftBeta=3\r\nRightAlpha=10\r\nRightBeta=3\r\nFBM=1\r\n3DEN=1\r\n3DFromEEPROM=1\r\n");
  files.Load(*f.feature, "[3D]\n3DEN=\n");  // 0 when empty
  EXPECT_EQ(f.feature->Enabled(), 0);
}

TEST(FeatureProfiles, AnEnvironmentOutsideTheButtonsSelectsNothing) {
  struct Case {
    const char* value;
    int selected;  // 0: the apply stops
  };
  const Case cases[] = {{"3", 3}, {"5", 5}, {"0", 1}, {"6", 1}, {"-2", 1}, {"x", 0}, {"", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    FeatureFixture<EnvironmentEffects> f;
    Files files;
    f.feature->SelectEffect(2);
    f.Take();
    const std::string text = std::string("[Effect]\nCurrentEffect=") + c.value + "\n";
    if (c.selected == 0) {
      EXPECT_THROW(files.Load(*f.feature, text), EConvertError);
      EXPECT_TRUE(f.Take().empty());
      continue;
    }
    files.Load(*f.feature, text);
    EXPECT_EQ(f.feature->Current(), c.selected);
    EXPECT_TRUE(test::InOrder(f.Take(), {"ext 0x08232008 in=0" + std::to_string(c.selected - 1) + "000000"}));
    EXPECT_EQ(files.Save(*f.feature), "[Effect]\r\nCurrentEffect=" + std::to_string(c.selected) + "\r\n");
  }
}

TEST(FeatureProfiles, Virtual71TakesItsEnableUnlessThreeDExcludesItAndRemembersIt) {
  const std::string positions = "C=364,168\nL=296,196\nLS=268,264\nLB=296,331\nRB=431,331\nRS=460,264\nSUB=364,204\nR=431,196\n";
  for (const bool excluded : {false, true}) {
    SCOPED_TRACE(excluded);
    FeatureFixture<Virtual71> f;
    Files files;
    f.feature->SetExcludedBy3D([excluded] { return excluded; });
    files.Load(*f.feature, "[Virtual7ch1]\n7ch1EN=1\n" + positions);
    const int expected = excluded ? 0 : 1;
    EXPECT_EQ(f.feature->Enabled(), expected);
    EXPECT_EQ(f.feature->Remembered(), expected);
    EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], expected);
    const Strings traffic = f.Take();
    const Strings switches = Library(traffic, "DLLQK_SetVirtual7ch1_OnOff");
    ASSERT_EQ(switches.size(), 1u) << Joined(traffic);
    EXPECT_EQ(switches[0].substr(27, 1), std::to_string(expected)) << switches[0];
    ASSERT_EQ(test::Placements(traffic).size(), 1u) << Joined(traffic);
    EXPECT_EQ(test::Placements(traffic)[0].enable, expected);
    // The positions come back in the key table's order, then the switch.
    EXPECT_EQ(files.Save(*f.feature),
              "[Virtual7ch1]\r\nC=364,168\r\nL=296,196\r\nLS=268,264\r\nLB=296,331\r\nRB=431,331\r\nRS=460,264\r\n"
              "SUB=364,204\r\nR=431,196\r\n7ch1EN=" +
                  std::to_string(expected) + "\r\n");
  }
}

TEST(FeatureProfiles, Virtual71PositionsAreStrictAppliedInTheirOrderAndKeptInTheCircle) {
  FeatureFixture<Virtual71> f;
  Files files;
  EXPECT_THROW(files.Load(*f.feature, "[Virtual7ch1]\nC=1,2\n"), EConvertError);  // no switch
  // R is broken: L is applied before it stops, C after it is not.
  EXPECT_THROW(files.Load(*f.feature, "[Virtual7ch1]\n7ch1EN=0\nL=300,200\nR=abc,1\nC=330,230\n"), EConvertError);
  EXPECT_EQ(f.speaker_view.icons[SpeakerLayout::Index(Speaker::kL)], (SpeakerPosition{300, 200}));
  EXPECT_EQ(f.speaker_view.icons[SpeakerLayout::Index(Speaker::kC)], (SpeakerPosition{}));
  // Far away, even at the integer's ends: held in the circle's box around 364,264 (radius 120).
  files.Load(*f.feature,
             "[Virtual7ch1]\n7ch1EN=0\nL=-2147483648,2147483647\nR=9999,-9999\nC=1,1\nSUB=1,1\nLS=1,1\nRS=1,1\n"
             "LB=1,1\nRB=1,1\n");
  EXPECT_EQ(f.speaker_view.icons[SpeakerLayout::Index(Speaker::kL)], (SpeakerPosition{244, 384}));
  EXPECT_EQ(f.speaker_view.icons[SpeakerLayout::Index(Speaker::kR)], (SpeakerPosition{484, 144}));
}

TEST(FeatureProfiles, TheLedButtonFollowsLedonOnlyWhenAProfileHasIt) {
  FeatureFixture<Lighting> f;
  Files files;
  files.Load(*f.feature, "[EQ]\nEQEN=1\n");  // no LED section: nothing changes
  EXPECT_EQ(f.feature->ButtonState(), 1);
  EXPECT_EQ(f.view.switches.count(Lighting::kLedButtonTag), 0u);
  files.Load(*f.feature, "[LED]\nLEDON=0\n");
  EXPECT_EQ(f.feature->ButtonState(), 0);
  EXPECT_EQ(f.view.switches[Lighting::kLedButtonTag], 0);
  EXPECT_EQ(files.Save(*f.feature).rfind("[LED]\r\nLEDON=0\r\nLEDPageMode=", 0), 0u) << "LEDON leads the section";
}

}  // namespace
}  // namespace audio77
