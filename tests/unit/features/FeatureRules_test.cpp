// The rules between features, on the virtual device: the 3D and virtual 7.1
// exclusion, the 3D switch re-sent by the equalizer's RESET, the EEPROM
// equalizer's 3D bit, and the shared effect-enable register.
#include "features/FeatureRules.h"

#include <gtest/gtest.h>

#include "FeatureFixture.h"
#include "support/InOrder.h"

namespace audio77 {
namespace {

using test::FeatureBench;
using test::InOrder;
using test::Joined;
using test::Library;
using test::Registers;
using Strings = std::vector<std::string>;

class FeatureRulesTest : public ::testing::Test {
 protected:
  explicit FeatureRulesTest(const std::string& device_ini = {})
      : bench(device_ini),
        eq(bench.Deps()),
        d3(bench.Deps()),
        v71(bench.Deps(), SpeakerStage{speakers, loop}),
        rules(eq, d3, v71) {
    eq.InitEqualizer();
    d3.Init3DRecord();
  }
  FeatureBench bench;
  test::RecordingSpeakerView speakers;
  toolkit::EventLoop loop{bench.Clock()};
  Equalizer eq;
  Sound3D d3;
  Virtual71 v71;
  FeatureRules rules;
};

TEST_F(FeatureRulesTest, ThreeDGoingOnTakesVirtual71OffOnlyUnderTheExclusion) {
  for (const int exclusive : {0, 1}) {
    SCOPED_TRACE(exclusive);
    rules.SetExclusive3DVirtual71(exclusive);
    if (d3.Enabled() == 1) rules.Toggle3DEnable();
    if (v71.Enabled() == 0) v71.ToggleEnable();
    bench.Take();
    rules.Toggle3DEnable();
    const Strings traffic = bench.Take();
    EXPECT_EQ(d3.Enabled(), 1);
    EXPECT_EQ(v71.Enabled(), exclusive == 1 ? 0 : 1);
    EXPECT_EQ(Library(traffic, "DLLQK_SetVirtual7ch1_OnOff").size(), exclusive == 1 ? 1u : 0u) << Joined(traffic);
    // Virtual 7.1 goes off before 3D goes on; the register follows last.
    if (exclusive == 1) {
      EXPECT_TRUE(InOrder(traffic, {"lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_Set3D_OnOff_ById 1", "w 0x100=0x80"}));
    }
    EXPECT_TRUE(InOrder(traffic, {"lib DLLQK_Set3D_OnOff_ById 1", "r 0x100", "w 0x100=0x80", "r 0x1CD"}));
  }
  // Switching 3D off never touches virtual 7.1.
  rules.Toggle3DEnable();
  EXPECT_TRUE(Library(bench.Take(), "DLLQK_SetVirtual7ch1").empty());
}

TEST_F(FeatureRulesTest, Virtual71GoingOnTakes3DOffOnlyUnderTheExclusion) {
  for (const int exclusive : {0, 1}) {
    SCOPED_TRACE(exclusive);
    rules.SetExclusive3DVirtual71(exclusive);
    if (v71.Enabled() == 1) rules.ToggleVirtual71();
    if (d3.Enabled() == 0) rules.Toggle3DEnable();
    bench.Take();
    rules.ToggleVirtual71();
    const Strings traffic = bench.Take();
    EXPECT_EQ(v71.Enabled(), 1);
    EXPECT_EQ(d3.Enabled(), exclusive == 1 ? 0 : 1);
    EXPECT_EQ(bench.view.switches[Sound3D::kEnableTag], d3.Enabled());
    if (exclusive == 1) {
      EXPECT_FALSE(bench.view.visible[Sound3D::kEnableTag]) << "hidden until the page is shown again";
      // 3D goes off in the library and the register before virtual 7.1 goes on.
      EXPECT_TRUE(InOrder(traffic, {"lib DLLQK_Set3D_OnOff_ById 0", "w 0x100=", "lib DLLQK_SetVirtual7ch1_OnOff 1",
                                    "lib DLLQK_SetVirtual7ch1 "}))
          << Joined(traffic);
    } else {
      EXPECT_TRUE(Library(traffic, "DLLQK_Set3D_OnOff_ById").empty()) << Joined(traffic);
    }
  }
  // Switching virtual 7.1 off never touches 3D.
  rules.ToggleVirtual71();
  EXPECT_TRUE(Library(bench.Take(), "DLLQK_Set3D").empty());
}

TEST_F(FeatureRulesTest, ActivationKeeps3DWhenBothAreAskedFor) {
  struct Case {
    int exclusive, d3_on, v71_default, v71_after;
  };
  for (const Case& c : {Case{1, 1, 1, 0}, Case{1, 0, 1, 1}, Case{0, 1, 1, 1}, Case{1, 1, 0, 0}}) {
    SCOPED_TRACE(::testing::Message() << c.exclusive << c.d3_on << c.v71_default);
    rules.SetExclusive3DVirtual71(c.exclusive);
    if (d3.Enabled() != c.d3_on) d3.Toggle3DEnable();
    v71.SetDefaultEnable(c.v71_default);
    rules.Virtual71EnableAtActivation();
    EXPECT_EQ(v71.Enabled(), c.v71_after);
  }
}

TEST_F(FeatureRulesTest, EqualizerResetEndsWithThe3DSwitchWhileTheInterfaceIsOpen) {
  d3.Toggle3DEnable();
  bench.Take();
  rules.ResetEqualizer();
  const Strings traffic = bench.Take();
  EXPECT_TRUE(InOrder(traffic, {"w 0x120=0x00", "w 0x129=0xE4", "lib DLLQK_Config3D_ById", "lib DLLQK_Set3D_OnOff_ById 1"}));
  EXPECT_NE(Registers(traffic).back(), "close") << "the reset's own exchange has no closing report";
}

class FeatureRulesEepromTest : public FeatureRulesTest {
 protected:
  FeatureRulesEepromTest()
      : FeatureRulesTest("[I2C 0x50]\n0x8D=0x01 0x10\n[I2C 0x51]\n0x00=0x00 0x00 0x40 0xFF 0x0F 0x80 0x23 0x31\n") {}
};

TEST_F(FeatureRulesEepromTest, TheEepromBanksThreeDBitReaches3D) {
  eq.SetFromEeprom(1);
  rules.EqualizerAtActivation();
  EXPECT_EQ(eq.Enabled(), 1);
  EXPECT_EQ(d3.FromEeprom(), 1);
  // The control byte, then again as the bank's last data byte; the sync runs twice.
  EXPECT_EQ(Library(bench.Take(), "DLLQK_Read_I2C_ById 0x51 0x07").size(), 4u);
}

TEST_F(FeatureRulesEepromTest, WithoutTheEepromEqualizerOnlyTheDefaultEnableCounts) {
  eq.SetDefaultEnable(1);
  rules.EqualizerAtActivation();
  EXPECT_EQ(eq.Enabled(), 1);
  EXPECT_EQ(d3.FromEeprom(), 0);
  EXPECT_TRUE(Library(bench.Take(), "DLLQK_Read_I2C_ById").empty());
}

TEST_F(FeatureRulesTest, ShutdownClearsTheSharedEffectRegister) {
  RegisterSession transaction = bench.Session().BeginRegisters();
  EXPECT_TRUE(rules.ClearEffectEnables(transaction).Ok());
  EXPECT_EQ(transaction.Commit(), 0);
  EXPECT_EQ(Registers(bench.Take()), (Strings{"w 0x100=0x00", "close"}));
}

}  // namespace
}  // namespace audio77
