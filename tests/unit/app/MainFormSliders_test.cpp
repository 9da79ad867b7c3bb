// The picture sliders through the application-wide hook on the virtual
// device: jumps on bars, drags within the travel, the values and registers
// they give, and the presses the hook must not act on.
#include <gtest/gtest.h>

#include <string>

#include "features/Equalizer.h"
#include "settings/RegistryDword.h"
#include "sim/core/VirtualDevice.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace audio77 {
namespace {

using test::HarnessOptions;
using test::ProgramHarness;
using toolkit::MouseButton;
using toolkit::Point;

constexpr int kEqTop = 105;
constexpr int kEqLength = 120;

Point Centre(ProgramHarness& h, const std::string& name) {
  const toolkit::Rect r = h.Form().Form().FindControl(name)->ClientRect();
  return {r.left + r.width / 2, r.top + r.height / 2};
}
toolkit::Control& Get(ProgramHarness& h, const std::string& name) { return *h.Form().Form().FindControl(name); }
std::string Caption(ProgramHarness& h, const std::string& name) {
  return h.Form().Form().Find<toolkit::Label>(name)->Caption();
}

// Presses at the control's centre, moves by dy, releases there.
void Drag(ProgramHarness& h, const std::string& name, int dy) {
  toolkit::Form& form = h.Form().Form();
  const Point start = Centre(h, name);
  form.MouseDown(start, MouseButton::kLeft, {});
  form.MouseMove({start.x, start.y + dy}, toolkit::kLeftButton);
  form.MouseUp({start.x, start.y + dy}, MouseButton::kLeft, {});
}
// Until a language file places them, labels stand at their design places and
// may lie over a skinned bar: the ones under the point are moved away.
void ClearLabelsAt(ProgramHarness& h, Point client) {
  const toolkit::HitTest hit{.include_disabled = true, .include_windowed = false};
  while (toolkit::Control* over = h.Form().Form().ControlAt(client, hit)) {
    if (over->Kind() != toolkit::ControlKind::kLabel) return;
    over->Hide();
  }
}
void ClickAt(ProgramHarness& h, Point client) {
  ClearLabelsAt(h, client);
  h.Form().Form().MouseDown(client, MouseButton::kLeft, {});
  h.Form().Form().MouseUp(client, MouseButton::kLeft, {});
}
int HidOuts(ProgramHarness& h) {
  int count = 0;
  for (const auto& line : h.Trace()) count += line.rfind("hid out", 0) == 0 ? 1 : 0;
  return count;
}
std::uint16_t DeviceBandCode(int band) {
  const auto& r = sim::VirtualDevice::Instance().Snapshot().registers;
  return static_cast<std::uint16_t>(r[0x120 + 2 * band] | ((r[0x121 + 2 * band] & 0x0F) << 8));
}

class Sliders : public ::testing::Test {
 protected:
  Sliders() { h.Start(); }
  ProgramHarness h;
};

TEST_F(Sliders, EqKnobDragsStayInTheTravelAndWriteTheBand) {
  struct Case {
    const char* knob;
    int band;
    int dy;
    int expected_top;
  };
  const Case cases[] = {
      {"EQ60HzSliderImage", 0, -500, kEqTop},  // the bundled skins' travel
      {"EQ300HzSliderImage", 1, 500, kEqTop + kEqLength},
      {"EQ1200HzSliderImage", 2, -20, 165 - 20},
      {"EQ12000HzSliderImage", 4, 30, 165 + 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.knob);
    h.ClearTrace();
    Drag(h, c.knob, c.dy);
    EXPECT_EQ(Get(h, c.knob).Top(), c.expected_top);
    const std::uint16_t code = EqualizerCodec::CodeFromOffset(c.expected_top - kEqTop, kEqLength);
    EXPECT_EQ(h.Form().EqualizerFeature().Working().codes[static_cast<std::size_t>(c.band)], code);
    EXPECT_EQ(DeviceBandCode(c.band), code);
    EXPECT_GE(HidOuts(h), 4);  // address and data for the low and the high register
    const int fill_tag = 229 + c.band;
    const toolkit::Image* fill = h.Form().Form().FindImageByTag(fill_tag);
    EXPECT_EQ(fill->Top() + fill->Height(), c.expected_top + Get(h, c.knob).Height());
    EXPECT_FALSE(h.Form().Drag().dragging);
  }
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

TEST_F(Sliders, ClicksOnEqBarsAndFillsCentreTheKnobWithinTheTravel) {
  const SliderTravel travel = h.Form().View().Travel(29);
  struct Case {
    const char* bar;
    const char* knob;
    int offset_from_top;  // of the click, from the travel's top
    int expected_offset;  // of the knob's top
  };
  const int half = Get(h, "EQ300HzSliderImage").Height() / 2;
  const Case cases[] = {
      {"EQ300HzBarImage", "EQ300HzSliderImage", 20 + half, 20},
      {"EQ60HzBarImage", "EQ60HzSliderImage", 1, 0},  // above the travel: its top
      {"EQ3600HzBarImage", "EQ3600HzSliderImage", travel.length + half + 4, travel.length},
      {"EQ1200HzBarDownImage", "EQ1200HzSliderImage", 90 + half, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bar);
    ClickAt(h, {Centre(h, c.bar).x, travel.top + c.offset_from_top});
    EXPECT_EQ(Get(h, c.knob).Top(), travel.top + c.expected_offset);
    EXPECT_FALSE(h.Form().Drag().dragging);
  }
  EXPECT_EQ(DeviceBandCode(1), EqualizerCodec::CodeFromOffset(20, travel.length));
  EXPECT_EQ(DeviceBandCode(3), EqualizerCodec::CodeFromOffset(travel.length, travel.length));
}

TEST_F(Sliders, ThreeDKnobsStopAtTheirFixedTops) {
  // No tab reaches the 3D page; a skin that shows its knobs makes them draggable.
  h.Form().SelectPage(24);
  for (const char* knob : {"D3LBetaSliderImage", "D3LAlphaSliderImage", "D3RBetaSliderImage", "D3RAlphaSliderImage"}) {
    Get(h, knob).Show();
  }
  Drag(h, "D3LBetaSliderImage", -400);
  EXPECT_EQ(Get(h, "D3LBetaSliderImage").Top(), 105);
  Drag(h, "D3RAlphaSliderImage", 400);
  EXPECT_EQ(Get(h, "D3RAlphaSliderImage").Top(), 225);
  EXPECT_EQ(h.Form().Sound3DFeature().Values().beta_left, Sound3D::ValueFromTop(105, kEqLength));
}

TEST_F(Sliders, MicBarClicksAndDragsGiveThePercent) {
  h.Click("PageMicLabel");
  const SliderTravel travel = h.Form().MicTravel();
  ASSERT_GT(travel.length, 0);
  const int knob_height = Get(h, "MicSliderImage").Height();
  const int x = Centre(h, "MicBarImage").x;
  struct Case {
    int knob_top;
    int percent;
  };
  const Case cases[] = {{travel.top, 100}, {travel.top + travel.length / 2, 50}, {travel.top + travel.length, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.knob_top);
    ClickAt(h, {x, c.knob_top + knob_height / 2});
    EXPECT_EQ(Get(h, "MicSliderImage").Top(), c.knob_top);
    EXPECT_EQ(h.Form().MicrophoneFeature().Level(), c.percent);
    // The value label and the fill follow, as on the EQ bars.
    EXPECT_EQ(Caption(h, "MicValueLabel"), std::to_string(c.percent));
    const toolkit::Control& fill = Get(h, "MicBarDownImage");
    EXPECT_EQ(fill.Top() + fill.Height(), c.knob_top + knob_height);
  }
  Drag(h, "MicSliderImage", -1000);
  EXPECT_EQ(h.Form().MicrophoneFeature().Level(), 100);
  EXPECT_EQ(Caption(h, "MicValueLabel"), "100");
}

TEST(SlidersWithoutDevice, PressesWarnAndMoveNothing) {
  HarnessOptions options;
  options.device_ini = "[Device]\nPresent=0\n";
  ProgramHarness h(options);
  h.Start();
  h.ClearTrace();
  const int top = Get(h, "EQ60HzSliderImage").Top();
  Drag(h, "EQ60HzSliderImage", -40);
  ClickAt(h, {Centre(h, "EQ300HzBarImage").x, 110});
  EXPECT_EQ(Get(h, "EQ60HzSliderImage").Top(), top);
  EXPECT_EQ(h.Dialogs().Messages().size(), 2U);
  EXPECT_EQ(HidOuts(h), 0);
}

TEST_F(Sliders, EncWithoutSupportWarnsOncePerPress) {
  h.Click("PageENCLabel");
  ASSERT_TRUE(Get(h, "ENCSliderImage").Visible());
  const int top = Get(h, "ENCSliderImage").Top();
  Drag(h, "ENCSliderImage", -30);
  ASSERT_EQ(h.Dialogs().Messages().size(), 1U);
  EXPECT_EQ(h.Dialogs().Messages()[0].text, "This device does not support noise cancellation.");
  // Moving over the knob without a press says nothing either.
  h.Form().Form().MouseMove(Centre(h, "ENCSliderImage"), 0);
  EXPECT_EQ(h.Dialogs().Messages().size(), 1U);
  EXPECT_EQ(Get(h, "ENCSliderImage").Top(), top);
}

TEST_F(Sliders, EncBarClickAndKnobDragGiveTheLevel) {
  // The registry's level for this device is what makes ENC supported.
  RegSetDword(h.GetPlatform().registry, "QKW 77xx Software\\EncValueMap", "VID_2E8D&PID_771F", 12);
  h.Form().NoiseFeature().LoadEncState();
  h.Click("PageENCLabel");
  const SliderTravel travel = h.Form().EncTravel();
  const int x = Centre(h, "ENCBarImage").x;
  ClickAt(h, {x, Get(h, "ENCBarImage").Top()});
  EXPECT_EQ(h.Form().NoiseFeature().Level(), 30);
  EXPECT_EQ(Caption(h, "ENCValueLabel"), "30");
  ClickAt(h, {x, Get(h, "ENCBarImage").Top() + Get(h, "ENCBarImage").Height() - 1});
  EXPECT_EQ(h.Form().NoiseFeature().Level(), 0);
  EXPECT_EQ(Caption(h, "ENCValueLabel"), "0");
  Drag(h, "ENCSliderImage", -1000);
  EXPECT_EQ(Get(h, "ENCSliderImage").Top(), travel.top);
  EXPECT_EQ(Caption(h, "ENCValueLabel"), "30");
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

TEST_F(Sliders, TheHookIgnoresInputOfOtherWindows) {
  // A dialog lying over the main window gets a press over an EQ knob.
  toolkit::Form dialog(h.App(), "DialogForm");
  dialog.SetClientSize({800, 600});
  dialog.SetPosition(h.Form().Form().Position());
  const Point knob = Centre(h, "EQ60HzSliderImage");
  const int top = Get(h, "EQ60HzSliderImage").Top();
  dialog.MouseDown(knob, MouseButton::kLeft, {});
  EXPECT_FALSE(h.Form().Drag().dragging);
  dialog.MouseMove({knob.x, knob.y - 30}, toolkit::kLeftButton);
  dialog.MouseUp({knob.x, knob.y - 30}, MouseButton::kLeft, {});
  EXPECT_EQ(Get(h, "EQ60HzSliderImage").Top(), top);
}

TEST_F(Sliders, NothingMovesWhileTheLedDialogIsShown) {
  bool shown = true;
  h.Form().SetLedDialogShown([&shown] { return shown; });
  const int top = Get(h, "EQ60HzSliderImage").Top();
  Drag(h, "EQ60HzSliderImage", -30);
  ClickAt(h, {Centre(h, "EQ300HzBarImage").x, Get(h, "EQ300HzBarImage").Top() + 1});
  EXPECT_EQ(Get(h, "EQ60HzSliderImage").Top(), top);
  EXPECT_NE(Get(h, "EQ300HzSliderImage").Top(), h.Form().View().Travel(29).top);
  shown = false;
  Drag(h, "EQ60HzSliderImage", -30);
  EXPECT_EQ(Get(h, "EQ60HzSliderImage").Top(), top - 30);
}

TEST_F(Sliders, LedSpeedKnobsGiveTheSpeedAndLeaveTheEqAlone) {
  Drag(h, "EQ60HzSliderImage", -30);
  h.Form().LightingFeature().SetPageMode(1);
  h.Click("PageLEDLabel");
  const toolkit::Control& bar = Get(h, "ColorBreatheBarImage");
  const std::uint16_t code = h.Form().EqualizerFeature().Working().codes[0];
  toolkit::Form& form = h.Form().Form();
  const Point start = Centre(h, "ColorBreatheSliderImage");
  form.MouseDown(start, MouseButton::kLeft, {});
  form.MouseMove({start.x + 1000, start.y}, toolkit::kLeftButton);
  EXPECT_EQ(h.Form().LightingFeature().Speed(1), 255);
  EXPECT_EQ(Get(h, "ColorBreatheSliderImage").Left(), bar.Left() + bar.Width() - Get(h, "ColorBreatheSliderImage").Width() + 3);
  form.MouseMove({start.x - 1000, start.y}, toolkit::kLeftButton);
  EXPECT_EQ(h.Form().LightingFeature().Speed(1), 2);
  EXPECT_EQ(Get(h, "ColorBreatheSliderImage").Left(), bar.Left());
  form.MouseUp({start.x - 1000, start.y}, MouseButton::kLeft, {});
  EXPECT_EQ(h.Form().EqualizerFeature().Working().codes[0], code);
}

}  // namespace
}  // namespace audio77
