// The window's features in the controller's orders: shutdown, device removal
// and "DefaultIni" at shutdown.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "PlacementTraffic.h"
#include "support/DeviceTraffic.h"
#include "support/InOrder.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/Image.h"
#include "toolkit/MenuItem.h"
#include "toolkit/PopupMenu.h"
#include "ui/ControlFeatureView.h"

namespace audio77 {
namespace {

using test::HarnessOptions;
using test::InOrder;
using test::Joined;
using test::ProgramHarness;
using Strings = std::vector<std::string>;

// The notifications of the virtual device, as the window receives them.
const DeviceInterfaceEvent kArrival{DeviceChange::kArrival, kDeviceTypeInterface, kAudioInterfaceClass, "x"};
const DeviceInterfaceEvent kRemoval{DeviceChange::kRemoveComplete, kDeviceTypeInterface, kHidInterfaceClass,
                                    R"(\\?\HID#VID_2E8D&PID_771F&MI_03#1)"};

void Unplug(ProgramHarness& h) {
  h.Unplug();
  h.Form().OnDeviceChange(kRemoval);
}

void Plug(ProgramHarness& h) {
  h.Plug();
  h.Form().OnDeviceChange(kArrival);
  h.RunPending();
}

TEST(FormFeatures, ShutdownLeavesEqualizer3DAndEffectNeutral) {
  for (const char* default_ini : {"0", "1"}) {
    SCOPED_TRACE(default_ini);
    HarnessOptions options;
    // With "DefaultIni" = 1 and no default profile, the reset takes the built-in values.
    options.config.push_back({"Version", "DefaultIni", default_ini});
    ProgramHarness h(options);
    h.Start();
    h.Form().EqualizerFeature().LoadEqPresetFromValues(Strings{"0x9FF", "0x9FF", "0x9FF", "0x9FF", "0x9FF", "1"}, 0, 0);
    h.Form().EffectsFeature().SelectEffect(3);
    h.ClearTrace();
    h.Close();
    const auto traffic = test::Traffic(h.Trace());
    EXPECT_TRUE(InOrder(traffic, {
                                     "w 0x120=0x00", "w 0x121=0x04",  // reset: flat codes from the knobs
                                     "w 0x129=0xE4",                  // then the full write
                                     "lib DLLQK_Config3D_ById",       // the 3D switch re-sent
                                     "lib DLLQK_SetEQ_OnOff_ById 0",  // equalizer off
                                     "w 0x18B=0xA3", "w 0x18C=0xA3",  // 3D reset
                                     "r 0x18A", "w 0x18A=0x01",       // FBM 1
                                     "lib DLLQK_Set3D_OnOff_ById 0",  // 3D off
                                     "w 0x100=0x00", "ext 0x08232008 in=00000000", "ext 0x08232000 in=01000000",
                                 }));
  }
}

TEST(FormFeatures, RemovalShowsTheSwitchesOffAndNothingAsEffect) {
  ProgramHarness h;
  h.Start();
  h.Form().EqualizerFeature().ToggleEqEnable();
  h.Form().Rules().Toggle3DEnable();
  h.Form().EffectsFeature().SelectEffect(5);
  h.ClearTrace();
  Unplug(h);
  EXPECT_EQ(h.Form().EqualizerFeature().Enabled(), 0);
  EXPECT_EQ(h.Form().Sound3DFeature().Enabled(), 0);
  EXPECT_EQ(h.Form().EffectsFeature().Current(), 1);
  auto& view = dynamic_cast<ControlFeatureView&>(h.Form().View());
  EXPECT_EQ(view.SwitchOf(7), 0);
  EXPECT_EQ(view.SwitchOf(8), 0);
  EXPECT_EQ(view.SkinEntryOf("EffectButtonNonImage"), "EffectButtonNonImageDown");
  EXPECT_EQ(view.SkinEntryOf("EffectButtonBathroomImage"), "EffectButtonStoneGalleryImageUp");
  // Nothing goes to the device that left.
  for (const auto& line : test::Traffic(h.Trace())) EXPECT_NE(line.rfind("ext 0x0823", 0), 0u) << line;
}

TEST(FormFeatures, EepromEqualizerAtStartBecomesS1) {
  HarnessOptions options;
  options.device_ini =
      "[I2C 0x50]\n0x8D=0x01 0x11\n[I2C 0x51]\n0x10=0x00 0x00 0x40 0xFF 0x0F 0x80 0x23 0x31\n";
  ProgramHarness h(options);
  h.Start();
  h.Form().EqualizerFeature().SetFromEeprom(1);
  Unplug(h);
  h.ClearTrace();
  Plug(h);
  const Equalizer& eq = h.Form().EqualizerFeature();
  EXPECT_EQ(EqualizerCodec::Unpack(eq.SlotBytes(0)).codes, (std::array<std::uint16_t, 5>{0x200, 0x400, 0x9FF, 0x600, 0x291}));
  EXPECT_EQ(eq.Enabled(), 1);
  // The bank's 3D bit reaches 3D.
  EXPECT_EQ(h.Form().Sound3DFeature().FromEeprom(), 1);
  EXPECT_TRUE(InOrder(test::Traffic(h.Trace()), {"lib DLLQK_Read_I2C_ById 0x51 0x17", "w 0x120=0x00", "w 0x121=0x02",
                                                 "lib DLLQK_SetEQ_OnOff_ById 1"}));
}

TEST(FormFeatures, TheVirtual71SwitchAndRotationGoOffOnScreenUntilThePageIsShown) {
  test::HarnessOptions options;
  options.config.push_back({"DefaultSet", "3DV7ch1MutuallyExclusive", "1"});
  test::ProgramHarness h(options);
  h.Start();
  auto& form = h.Form();
  form.SelectPage(27);
  h.Click("VirtualEnableImage");
  h.Click("VirtualClockwiseImage");
  ASSERT_EQ(form.Virtual71Feature().Enabled(), 1);
  ASSERT_EQ(form.Virtual71Feature().Latch(Virtual71::kClockwiseTag), 1);
  form.Rules().Toggle3DEnable();
  auto& view = dynamic_cast<ControlFeatureView&>(form.View());
  auto image = [&](const char* name) { return form.Form().Find<toolkit::Image>(name); };
  EXPECT_EQ(form.Virtual71Feature().Latch(Virtual71::kClockwiseTag), 0);
  EXPECT_EQ(form.Virtual71Feature().Latch(Virtual71::kCounterClockwiseTag), 0);
  EXPECT_EQ(view.SwitchOf(47), 0);
  EXPECT_EQ(view.SwitchOf(49), 0);
  EXPECT_FALSE(image("VirtualEnableImage")->Visible());
  EXPECT_FALSE(image("VirtualClockwiseImage")->Visible());
  // The latch that was not running keeps its place on screen.
  EXPECT_TRUE(image("VirtualCounterclockwiseImage")->Visible());
  form.ShowPage(Page::kVirtual71);
  EXPECT_TRUE(image("VirtualEnableImage")->Visible());
  EXPECT_TRUE(image("VirtualClockwiseImage")->Visible());
}

TEST(FormFeatures, Virtual71StartsFromAnEmptyPlacementFollowsASkinsCircleAndEndsOff) {
  test::HarnessOptions options;
  options.own_skins = true;
  test::ProgramHarness h(options);
  // The Light skin's circle is half the size of the Dark one's.
  for (const char* resolution : {"1920x1080", "1366x768", ""}) {
    const std::filesystem::path settings = h.ProgramFolder() / "Skins" / resolution / "Light" / "SkinSetting.ini";
    std::stringstream text;
    text << std::ifstream(settings, std::ios::binary).rdbuf();
    std::ofstream(settings, std::ios::binary | std::ios::trunc)
        << std::regex_replace(text.str(), std::regex("VirtualCenter=364,264,120"), "VirtualCenter=364,264,60");
  }
  h.Start();
  Strings traffic = test::Traffic(h.Trace());
  // Start-up: off with the empty placement and the scale, then the default layout.
  EXPECT_TRUE(InOrder(traffic, {"lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_SetVirtual7ch1 ",
                                "lib DLLQK_SetVirtual7ch1_Scalar 2", "lib DLLQK_SetVirtual7ch1_OnOff 0",
                                "lib DLLQK_SetVirtual7ch1 "}))
      << Joined(traffic);
  const auto blocks = test::Placements(traffic);
  ASSERT_GE(blocks.size(), 2u);
  EXPECT_EQ(blocks.front(), PlacementBlock::Fields{}) << "nothing measured yet";
  EXPECT_NEAR(blocks.back().distance[SpeakerLayout::Index(Speaker::kC)], 1.36, 1e-4);
  auto* rs = h.Form().Form().Find<toolkit::Image>("VirtualRSImage");
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->Left(), 364 + 96);

  // The smaller circle: every speaker at half its distance, nothing sent.
  h.ClearTrace();
  for (const auto& item : h.Form().TrayMenu().Find("SkinMenu")->Items()) {
    if (item->PlainCaption() == "Light") item->Click();
  }
  ASSERT_EQ(h.Form().Skin().Name(), "Light");
  EXPECT_EQ(rs->Left(), 364 + 48);
  EXPECT_EQ(rs->Top(), 264);
  EXPECT_TRUE(test::Placements(test::Traffic(h.Trace())).empty());

  // The window's end: off, and the default layout on the skin's circle.
  h.ClearTrace();
  h.Close();
  traffic = test::Traffic(h.Trace());
  EXPECT_TRUE(InOrder(traffic, {"lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_SetVirtual7ch1 "})) << Joined(traffic);
  const auto last = test::Placements(traffic);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].enable, 0);
}

}  // namespace
}  // namespace audio77
