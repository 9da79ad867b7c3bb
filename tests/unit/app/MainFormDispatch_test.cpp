// The window's buttons, switches and page tabs on the virtual device: what a
// press and a release show, which warnings they raise without a device, and
// which controls each page tab leaves visible.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/core/VirtualDevice.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace audio77 {
namespace {

using test::HarnessOptions;
using test::ProgramHarness;

constexpr const char* kAbsentDevice = "[Device]\nPresent=0\n";
constexpr const char* kWarning = "Please connect the device first.";

toolkit::Point Centre(ProgramHarness& h, const std::string& name) {
  const toolkit::Rect r = h.Form().Form().FindControl(name)->ClientRect();
  return {r.left + r.width / 2, r.top + r.height / 2};
}
// A control of a page that is not shown cannot be clicked; its handlers are
// run directly instead (the hook does not see that press).
void Press(ProgramHarness& h, const std::string& name) {
  toolkit::Control& control = *h.Form().Form().FindControl(name);
  if (control.Showing()) {
    h.Form().Form().MouseDown(Centre(h, name), toolkit::MouseButton::kLeft, {});
  } else if (control.OnMouseDown) {
    control.OnMouseDown(control, {});
  }
}
void Release(ProgramHarness& h, const std::string& name) {
  toolkit::Control& control = *h.Form().Form().FindControl(name);
  if (control.Showing()) {
    h.Form().Form().MouseUp(Centre(h, name), toolkit::MouseButton::kLeft, {});
  } else if (control.OnMouseUp) {
    control.OnMouseUp(control, {});
  }
}
void Click(ProgramHarness& h, const std::string& name) {
  Press(h, name);
  Release(h, name);
}
std::string Entry(ProgramHarness& h, const std::string& control) { return h.Form().View().SkinEntryOf(control); }
bool Visible(ProgramHarness& h, const std::string& name) { return h.Form().Form().FindControl(name)->Visible(); }
bool HidWritten(const std::vector<std::string>& trace) {
  for (const auto& line : trace) {
    if (line.rfind("hid out", 0) == 0) return true;
  }
  return false;
}

HarnessOptions WithoutADevice() {
  HarnessOptions options;
  options.device_ini = kAbsentDevice;
  return options;
}

class WithoutDevice : public ::testing::Test {
 protected:
  WithoutDevice() : h(WithoutADevice()) { h.Start(); }
  ProgramHarness h;
};

TEST_F(WithoutDevice, PressesThatNeedADeviceWarnOnceAndOthersDoNot) {
  struct Case {
    const char* control;
    bool warns;
  };
  const Case cases[] = {
      {"Menu1Label", true},          {"Menu2Label", true},           {"Menu3Label", false},
      {"EQEQENLabel", true},         {"EQS2Label", true},            {"D3AlphaImage", false},
      {"D3BetaImage", false},        {"EffectTheaterLabel", true},   {"MicMuteLabel", true},
      {"PageMicLabel", true},        {"PageEffectLabel", true},      {"VirtualClockwiseLabel", false},
      {"D3FBMLabel", true},          {"VirtualResetLabel", true},    {"PageVMEffectImage", true},
      {"VirtualNarrowLabel", true},  {"SyncLabel", false},           {"EQ60HzSliderImage", true},
      {"EQ300HzBarImage", true},
      {"LEDImage", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    const std::size_t before = h.Dialogs().Messages().size();
    Click(h, c.control);
    const auto& shown = h.Dialogs().Messages();
    ASSERT_EQ(shown.size(), before + (c.warns ? 1 : 0));
    if (!c.warns) continue;
    EXPECT_EQ(shown.back().text, kWarning);
    EXPECT_EQ(shown.back().caption, h.App().Title());
    EXPECT_EQ(shown.back().icon, toolkit::MessageIcon::kWarning);
    EXPECT_EQ(shown.back().buttons, toolkit::MessageButtons::kOk);
  }
  EXPECT_EQ(h.Form().State().current_page, Page::kEqualizer);
  EXPECT_EQ(h.Form().EqualizerFeature().Enabled(), 0);
}

TEST_F(WithoutDevice, AboutShowsItsPicturesButOpensNothing) {
  Press(h, "Menu3Label");
  EXPECT_EQ(Entry(h, "Menu3Image"), "Menu3ImageDown");
  EXPECT_TRUE(h.Form().View().LabelDown(4));
  Release(h, "Menu3Label");
  EXPECT_EQ(Entry(h, "Menu3Image"), "Menu3ImageUp");
  EXPECT_FALSE(h.Form().View().LabelDown(4));
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

TEST_F(WithoutDevice, AWarnedPressCancelsItsReleaseAndClick) {
  // Without this the release would flip the LED button back and the reset
  // button's click would run.
  h.ClearTrace();
  h.Click("LEDImage");
  EXPECT_EQ(h.Form().LightingFeature().ButtonState(), 1);
  EXPECT_EQ(Entry(h, "LEDImage"), "");
  h.Click("EQResetLabel");
  EXPECT_EQ(Entry(h, "EQResetImage"), "");
  EXPECT_EQ(h.Dialogs().Messages().size(), 2U);
  EXPECT_FALSE(HidWritten(h.Trace()));
  // The next gesture is a new one: About still works.
  h.Click("Menu3Label");
  EXPECT_EQ(Entry(h, "Menu3Image"), "Menu3ImageUp");
}

class WithDevice : public ::testing::Test {
 protected:
  WithDevice() { h.Start(); }
  ProgramHarness h;
};

TEST_F(WithDevice, EveryPageTabShowsItsPageOnly) {
  struct Case {
    const char* tab;
    Page page;
    const char* tab_image;
    const char* left_picture;  // empty: hidden
    std::vector<const char*> visible;
    std::vector<const char*> hidden;
  };
  const Case cases[] = {
      {"PageEffectLabel", Page::kEffect, "PageEffectImage", "MainLeftImage2",
       {"EffectButtonNonImage", "EffectPicImage", "CloseImage", "Menu1Label"},
       {"EQ60HzSliderImage", "MicSliderImage", "VirtualLImage", "BeeCheckBox"}},
      {"PageMicLabel", Page::kMicrophone, "PageMicImage", "MainLeftImage3",
       {"MicSliderImage", "MicBarImage", "PageEQLabel"},
       {"EffectButtonNonImage", "EQ60HzBarImage"}},
      {"PageVirtual7p1Label", Page::kVirtual71, "PageVirtual7p1Image", "MainLeftImage4",
       {"VirtualLImage", "VirtualRBImage", "VirtualENLabel", "BeeCheckBox"},  // "Bee" is 1
       {"MicSliderImage", "Color01Shape"}},
      {"PageENCLabel", Page::kNoiseCancellation, "PageENCImage", "",
       {"ENCSliderImage", "ENCBarImage"},
       {"VirtualLImage", "ColorBreatheSliderImage"}},
      {"PageVMEffectLabel", Page::kVoiceEffect, "PageVMEffectImage", "",
       {"LogoImage"},
       {"ENCSliderImage", "EQ60HzSliderImage"}},
      {"PageEQLabel", Page::kEqualizer, "PageEQImage", "MainLeftImage1",
       {"EQ60HzSliderImage", "EQ12000HzBarDownImage", "EQS1Label"},
       {"ENCSliderImage", "Color01Shape"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    h.Click(c.tab);
    EXPECT_EQ(h.Form().State().current_page, c.page);
    EXPECT_EQ(Entry(h, c.tab_image), std::string(c.tab_image).insert(std::string(c.tab_image).size() - 5, "Down"));
    EXPECT_EQ(Entry(h, "MainLeftImage"), c.left_picture);
    EXPECT_TRUE(h.Form().View().LabelDown(h.Form().Form().FindControl(c.tab)->Tag()));
    for (const char* name : c.visible) EXPECT_TRUE(Visible(h, name)) << name;
    for (const char* name : c.hidden) EXPECT_FALSE(Visible(h, name)) << name;
  }
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

TEST_F(WithDevice, TheLedTabOpensItsPageOnlyInLedPageMode) {
  h.Form().LightingFeature().SetPageMode(0);
  h.Click("PageMicLabel");
  h.Click("PageLEDLabel");
  EXPECT_EQ(h.Form().State().current_page, Page::kMicrophone);
  EXPECT_FALSE(Visible(h, "Color01Shape"));
  EXPECT_TRUE(h.Form().View().LabelDown(228));

  h.Form().LightingFeature().SetPageMode(1);
  h.Click("PageLEDLabel");
  EXPECT_EQ(h.Form().State().current_page, Page::kLed);
  EXPECT_TRUE(Visible(h, "Color01Shape"));
  EXPECT_TRUE(Visible(h, "ColorBreatheSliderImage"));
  EXPECT_FALSE(Visible(h, "MicSliderImage"));
  EXPECT_EQ(Entry(h, "PageLEDImage"), "PageLEDDownImage");
}

TEST(MainFormPages, TheBeeCheckBoxStaysHiddenWhenBeeIsOff) {
  HarnessOptions options;
  options.config = {{"Version", "Bee", "0"}};
  ProgramHarness bee(options);
  bee.Start();
  bee.Click("PageVirtual7p1Label");
  EXPECT_EQ(bee.Form().State().current_page, Page::kVirtual71);
  EXPECT_FALSE(Visible(bee, "BeeCheckBox"));
}

TEST_F(WithDevice, EverySwitchShowsItsSideAndFlipsBack) {
  struct Case {
    const char* control;
    const char* image;
    const char* first;   // key after one click
    const char* second;  // key after the second
  };
  const Case cases[] = {
      {"EQEQENLabel", "EQEQENImage", "EQEQENImageDown", "EQEQENImageUp"},
      {"EQ3DENLabel", "EQ3DENImage", "EQ3DENImageDown", "EQ3DENImageUp"},
      {"D3FBMLabel", "D3FBMImage", "D3FBMImageUp", "D3FBMImageDown"},  // FBM starts on
      {"MicBoostLabel", "MicBoostImage", "MicBoostImageDown", "MicBoostImageUp"},
      {"MicMuteLabel", "MicMuteImage", "MicMuteImageDown", "MicMuteImageUp"},
      {"MicMonitorLabel", "MicMonitorImage", "MicMonitorImageDown", "MicMonitorImageUp"},
      {"VirtualENLabel", "VirtualEnableImage", "VirtualEnableImageDown", "VirtualEnableImageUp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    const int tag = h.Form().Form().FindControl(c.control)->Tag();
    Click(h, c.control);
    EXPECT_EQ(Entry(h, c.image), c.first);
    EXPECT_EQ(h.Form().View().LabelDown(tag), std::string(c.first).ends_with("Down"));
    Click(h, c.control);
    EXPECT_EQ(Entry(h, c.image), c.second);
  }
  EXPECT_EQ(h.Form().EqualizerFeature().Enabled(), 0);
  EXPECT_EQ(h.Form().MicrophoneFeature().Boosted(), 0);
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

TEST_F(WithDevice, TheThreeDPageSwitchRunsThreeDEnableNotClose) {
  ASSERT_EQ(h.Form().Sound3DFeature().Enabled(), 0);
  EXPECT_FALSE(Visible(h, "D33DENImage"));  // the 3D page is not reachable
  h.Form().Form().FindControl("D33DENLabel")->OnMouseDown(*h.Form().Form().FindControl("D33DENLabel"), {});
  EXPECT_EQ(h.Form().Sound3DFeature().Enabled(), 1);
  EXPECT_EQ(Entry(h, "CloseImage"), "");
  EXPECT_EQ(Entry(h, "EQ3DENImage"), "EQ3DENImageDown");
}

TEST_F(WithDevice, AnimationSwitchesLatchOneAtATime) {
  auto on = [this] {
    const Virtual71& v = h.Form().Virtual71Feature();
    return std::vector<int>{v.Latch(Virtual71::kClockwiseTag), v.Latch(Virtual71::kCounterClockwiseTag),
                            v.Latch(Virtual71::kNarrowTag), v.Latch(Virtual71::kEnlargeTag)};
  };
  h.Click("PageVirtual7p1Label");
  h.Click("VirtualClockwiseLabel");  // virtual 7.1 off: nothing
  EXPECT_EQ(on(), (std::vector<int>{0, 0, 0, 0}));
  h.Click("VirtualENLabel");
  struct Step {
    const char* control;
    std::vector<int> after;
  };
  const Step steps[] = {
      {"VirtualCounterclockwiseLabel", {0, 1, 0, 0}},
      {"VirtualClockwiseLabel", {1, 0, 0, 0}},
      {"VirtualEnlargeLabel", {0, 0, 0, 1}},
      {"VirtualNarrowLabel", {0, 0, 1, 0}},
      {"VirtualNarrowLabel", {0, 0, 0, 0}},
  };
  for (const Step& step : steps) {
    Click(h, step.control);
    EXPECT_EQ(on(), step.after) << step.control;
  }
  EXPECT_EQ(Entry(h, "VirtualNarrowImage"), "VirtualNarrowUpImage");
  EXPECT_EQ(Entry(h, "VirtualEnlargeImage"), "VirtualEnlargeUpImage");
  // While the test tone box is checked the switches and the reset do not react.
  h.Form().Form().Find<toolkit::CheckBox>("BeeCheckBox")->SetChecked(true);
  h.Click("VirtualClockwiseLabel");
  h.Click("VirtualResetLabel");
  EXPECT_EQ(on(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Entry(h, "VirtualResetImage"), "");
}

TEST_F(WithDevice, MomentaryButtonsAreDownOnlyWhileHeld) {
  struct Case {
    const char* control;
    const char* image;
    const char* down;
  };
  const Case cases[] = {
      {"Menu1Label", "Menu1Image", "Menu1ImageDown"},
      {"Menu2Label", "Menu2Image", "Menu2ImageDown"},
      {"Menu3Label", "Menu3Image", "Menu3ImageDown"},
      {"EQResetLabel", "EQResetImage", "EQResetImageDown"},
      {"D3ResetLabel", "D3ResetImage", "D3ResetImageDown"},
      {"VirtualResetLabel", "VirtualResetImage", "VirtualResetDownImage"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    const int tag = h.Form().Form().FindControl(c.control)->Tag();
    Press(h, c.control);
    EXPECT_EQ(Entry(h, c.image), c.down);
    EXPECT_TRUE(h.Form().View().LabelDown(tag));
    Release(h, c.control);
    EXPECT_FALSE(h.Form().View().LabelDown(tag));
  }
  EXPECT_EQ(Entry(h, "VirtualResetImage"), "VirtualResetUpImage");
  EXPECT_EQ(Entry(h, "Menu1Image"), "Menu1ImageUp");
}

TEST_F(WithDevice, EqResetClickWritesTheFlatBandsToTheDevice) {
  h.Click("EQ60HzBarImage");  // moves band 0 away from flat
  h.ClearTrace();
  h.Click("EQResetLabel");
  EXPECT_TRUE(HidWritten(h.Trace()));
  const auto& registers = sim::VirtualDevice::Instance().Snapshot().registers;
  EXPECT_EQ(registers[0x120], 0x00);
  EXPECT_EQ(registers[0x121] & 0x0F, 0x04);
}

TEST_F(WithDevice, CloseSendsTheWindowAwayAndMinimiseToTheTaskbar) {
  h.Form().Form().Show();
  h.Click("CloseImage");
  EXPECT_EQ(Entry(h, "CloseImage"), "CloseImageUp");
  EXPECT_FALSE(h.Form().Form().Visible() && h.Form().Form().State() == toolkit::WindowState::kNormal);
  h.Form().Form().Show();
  h.Form().Form().Restore();
  h.Click("MinimizeImage");
  EXPECT_EQ(h.Form().Form().State(), toolkit::WindowState::kMinimized);
}

TEST_F(WithDevice, TheLedButtonDrivesGpioZeroOnlyWhileHeld) {
  Press(h, "LEDImage");
  EXPECT_EQ(Entry(h, "LEDImage"), "LedImageUp");
  EXPECT_EQ(h.Form().LightingFeature().ButtonState(), 0);
  EXPECT_EQ(sim::VirtualDevice::Instance().Snapshot().gpio & 0x3FF, 0x001);
  Release(h, "LEDImage");
  EXPECT_EQ(Entry(h, "LEDImage"), "LedImageDown");
  EXPECT_EQ(h.Form().LightingFeature().ButtonState(), 1);
  EXPECT_EQ(sim::VirtualDevice::Instance().Snapshot().gpio & 0x3FF, 0x000);
}

TEST_F(WithDevice, APresetButtonShowsItselfDownAndNamesItselfInSX) {
  h.Click("EQS3Label");
  EXPECT_EQ(h.Form().EqualizerFeature().CurrentPreset(), 3);
  for (int k = 1; k <= 4; ++k) {
    const std::string image = "EQS" + std::to_string(k) + "Image";
    EXPECT_EQ(Entry(h, image), image + (k == 3 ? "Down" : "Up"));
    EXPECT_EQ(h.Form().View().LabelDown(8 + k), k == 3);
  }
  EXPECT_EQ(h.Form().Form().Find<toolkit::Label>("SXLabel")->Caption(),
            h.Form().Form().Find<toolkit::Label>("EQS3Label")->Caption());
}

TEST_F(WithDevice, RemovalShowsTheDeviceSwitchesOffAndKeepsBoost) {
  // Each switch on its own page, as a person reaches it.
  const std::pair<const char*, const char*> switches[] = {
      {"PageVirtual7p1Label", "VirtualENLabel"}, {"PageMicLabel", "MicMuteLabel"},
      {"PageMicLabel", "MicMonitorLabel"},       {"PageMicLabel", "MicBoostLabel"},
      {"PageEQLabel", "EQEQENLabel"},            {"PageEffectLabel", "EffectLivingroomLabel"}};
  for (const auto& [tab, control] : switches) {
    Click(h, tab);
    Click(h, control);
  }
  h.Unplug();
  TAudioMainForm& form = h.Form();
  EXPECT_EQ(form.Virtual71Feature().Enabled(), 0);
  EXPECT_EQ(form.MicrophoneFeature().Muted(), 0);
  EXPECT_EQ(form.MicrophoneFeature().Monitoring(), 0);
  EXPECT_EQ(form.EqualizerFeature().Enabled(), 0);
  EXPECT_EQ(form.EffectsFeature().Current(), 1);
  EXPECT_EQ(form.MicrophoneFeature().Boosted(), 1);
  EXPECT_EQ(Entry(h, "VirtualEnableImage"), "VirtualEnableImageUp");
  EXPECT_EQ(Entry(h, "MicMuteImage"), "MicMuteImageUp");
  EXPECT_EQ(Entry(h, "DeviceInImage"), "DeviceActiveDownImage");
  EXPECT_EQ(Entry(h, "EffectButtonNonImage"), "EffectButtonNonImageDown");
}

}  // namespace
}  // namespace audio77
