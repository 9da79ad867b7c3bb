// The LED page's view on a window with the page's controls: which control
// takes which skin key, where knobs and bars are, and the swatches.
#include "lighting/FormLedPageView.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"

namespace audio77 {
namespace {

class KeysView : public FeatureView {
 public:
  std::map<std::string, std::string> keys;
  void ShowSkinEntry(const std::string& control, const std::string& key) override { keys[control] = key; }
  void ShowSwitch(int, int) override {}
  void HighlightLabel(int, bool, const std::string&) override {}
  SliderTravel Travel(int) const override { return {}; }
  int KnobTop(int) const override { return 0; }
  void SetKnobTop(int, int) override {}
  int KnobHeight(int) const override { return 0; }
  int FillTop(int) const override { return 0; }
  void SetFillHeight(int, int) override {}
  void SetValueLabel(int, const std::string&) override {}
  void SetImageVisible(int, bool) override {}
};

class FormLedPageViewTest : public ::testing::Test {
 protected:
  FormLedPageViewTest() {
    app_.SetDialogs(dialogs_);
    for (const char* word : {"Breathe", "Rainbow", "Pulsating"}) {
      form_.AddImage(std::string("Color") + word + "BarImage").SetBounds({420, 226, 240, 8});
      form_.AddImage(std::string("Color") + word + "SliderImage").SetBounds({500, 220, 14, 20});
    }
    for (const char* name : {"Color01Shape", "Color07Shape", "ColorSingleShape", "ColorBreatheShape"}) {
      form_.AddShape(name);
    }
  }
  ManualClock clock_;
  toolkit::EventLoop loop_{clock_};
  toolkit::Application app_{loop_};
  toolkit::ScriptedDialogs dialogs_;
  toolkit::Form form_{app_, "MainForm"};
  KeysView keys_;
  FormLedPageView view_{form_, keys_};
};

TEST_F(FormLedPageViewTest, ChecksAndKnobsTakeTheSkinsUpOrDownPictures) {
  view_.ShowCheck(LedCheck::kMultiBreathe, true);
  view_.ShowCheck(LedCheck::kRainbow, false);
  view_.ShowCheck(LedCheck::kOff, true);
  view_.ShowCheck(LedCheck::kSingle, false);
  const std::map<std::string, std::string> expected = {
      {"ColorPulsatingCheckImage", "ColorPulsatingCheckDownImage"},
      {"ColorPulsatingSliderImage", "ColorPulsatingSliderDownImage"},
      {"ColorRainbowCheckImage", "ColorRainbowCheckUpImage"},
      {"ColorRainbowSliderImage", "ColorRainbowSliderUpImage"},
      {"ColorLEDOffCheckImage", "ColorLEDOffCheckDownImage"},
      {"ColorSingleCheckImage", "ColorSingleCheckUpImage"},
  };
  EXPECT_EQ(keys_.keys, expected);
}

TEST_F(FormLedPageViewTest, KnobsBarsAndSwatchesAreTheNamedControls) {
  const LedSpeedBar bar = view_.SpeedBar(3);
  EXPECT_EQ(bar.left, 420);
  EXPECT_EQ(bar.width, 240);
  EXPECT_EQ(bar.knob_width, 14);
  view_.SetKnobLeft(2, 433);
  EXPECT_EQ(form_.FindControl("ColorRainbowSliderImage")->Left(), 433);
  EXPECT_EQ(view_.KnobLeft(2), 433);
  EXPECT_EQ(view_.KnobLeft(1), 500);

  view_.FillSwatch({7}, 0x123456);
  view_.FillSwatch({LedSwatch::kBreathe}, 0x654321);
  view_.OutlineSwatch({LedSwatch::kSingle}, 0xF0CAA6, 3);
  EXPECT_EQ(form_.Find<toolkit::Shape>("Color07Shape")->BrushColor(), 0x123456u);
  EXPECT_EQ(form_.Find<toolkit::Shape>("ColorBreatheShape")->BrushColor(), 0x654321u);
  EXPECT_EQ(form_.Find<toolkit::Shape>("ColorSingleShape")->PenWidth(), 3);
  view_.FillSwatch({4}, 0x111111);  // a swatch the window does not have: nothing happens

  dialogs_.QueueColor(0x00FF00);
  EXPECT_EQ(view_.ChooseColour(0x0000FF), 0x00FF00u);
  ASSERT_EQ(dialogs_.ColorRequests().size(), 1u);
  EXPECT_EQ(dialogs_.ColorRequests()[0].initial, 0x0000FFu);
}

}  // namespace
}  // namespace audio77
