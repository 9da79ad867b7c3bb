// The LED dialog on the virtual device, headless: its controls and layout,
// the effect buttons with their half-second pause, the colour cells and the
// colour dialog, brightness, LED 1/2/all and Master/Slave, and the command
// worker that sends speed changes.
#include "lighting/ULEDForm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "LightingFixture.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"

namespace audio77 {
namespace {

using Strings = std::vector<std::string>;
using Sleeps = std::vector<std::uint32_t>;
using toolkit::Control;

class LEDFormTest : public test::LightingFixture {
 protected:
  LEDFormTest() { app_.SetDialogs(dialogs_); }
  void SetUp() override {
    test::LightingFixture::SetUp();
    dialog_ = std::make_unique<TLEDForm>(app_, library_, debug_);
  }
  void TearDown() override { dialog_.reset(); }

  toolkit::Form& form() { return dialog_->Form(); }
  template <class T = Control>
  T& Get(const std::string& name) {
    T* control = form().Find<T>(name);
    if (control == nullptr) throw std::runtime_error("no control " + name);
    return *control;
  }
  // A left click as the user makes it: press, release, click.
  void Click(const std::string& name) {
    Control& control = Get(name);
    form().ControlMouse(control, toolkit::MouseAction::kDown, {3, 3}, toolkit::MouseButton::kLeft,
                        toolkit::kLeftButton);
    form().ControlMouse(control, toolkit::MouseAction::kUp, {3, 3}, toolkit::MouseButton::kLeft, 0);
    control.Click();
  }
  void Show() {
    form().Show();
    Take();
    clock_.ClearSleeps();
  }
  // Waits for the command worker's next command.
  void AwaitCommands(std::uint64_t passes) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (dialog_->CommandsSent() < passes) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline);
      std::this_thread::yield();
    }
  }

  toolkit::EventLoop loop_{clock_};
  toolkit::Application app_{loop_};
  std::unique_ptr<TLEDForm> dialog_;
};

TEST_F(LEDFormTest, AFixedDialogOfStandardControlsLaidOutAtShow) {
  EXPECT_EQ(form().Caption(), "LEDForm");
  EXPECT_FALSE(form().Frameless());
  EXPECT_EQ(Get("RadioButtonOff").Kind(), toolkit::ControlKind::kRadioButton);
  EXPECT_EQ(Get("TrackBarRainbow").Kind(), toolkit::ControlKind::kTrackBar);
  EXPECT_EQ(Get("GroupBoxEffect").Kind(), toolkit::ControlKind::kGroupBox);
  EXPECT_EQ(Get<toolkit::Button>("ButtonSetColor").Caption(), "Select Color");
  EXPECT_TRUE(Get<toolkit::RadioButton>("RadioButtonOff").Checked());
  EXPECT_TRUE(Get<toolkit::RadioButton>("RadioButtonAllLED").Checked());
  EXPECT_TRUE(Get<toolkit::RadioButton>("RadioButtonMaster").Checked());
  EXPECT_EQ(Get<toolkit::TrackBar>("TrackBarBrightness").Max(), 6);
  EXPECT_FALSE(dialog_->WorkerRunning());

  form().Show();
  EXPECT_TRUE(dialog_->Shown());
  EXPECT_TRUE(dialog_->WorkerRunning());
  EXPECT_EQ(Take(), Strings{"lib DLLQK_SetRGB_Step 0x3A 0x07 500"});
  struct Beside {
    const char* control;
    const char* radio;
    int offset;
  };
  for (const Beside& b : {Beside{"TrackBarBlinking", "RadioButtonBlinking", TLEDForm::kTrackBarOffset},
                          Beside{"TrackBarSingleRandom", "RadioButtonSingleRandom", TLEDForm::kTrackBarOffset},
                          Beside{"ShapeSingleColor", "RadioButtonOn", 360},
                          Beside{"ShapeBreatheColor", "RadioButtonBreathe", 360}}) {
    SCOPED_TRACE(b.control);
    EXPECT_EQ(Get(b.control).Top(), Get(b.radio).Top());
    EXPECT_EQ(Get(b.control).Left(), Get(b.radio).Left() + b.offset);
  }
  EXPECT_EQ(Get<toolkit::Shape>("Shape1").PenColor(), TLEDForm::kSelectedOutline);
  EXPECT_EQ(Get<toolkit::Shape>("Shape1").PenWidth(), 2);

  form().Close();
  EXPECT_FALSE(dialog_->Shown());
  EXPECT_FALSE(dialog_->WorkerRunning()) << "joined when the dialog closes";
  Click("Shape3");
  form().Show();
  EXPECT_TRUE(dialog_->WorkerRunning()) << "a new one for the next show";
  EXPECT_EQ(dialog_->SelectedShape(), 1);
  EXPECT_EQ(Get<toolkit::Shape>("Shape3").PenColor(), toolkit::kBlack);  // one highlight only
  EXPECT_EQ(Take(), Strings{"lib DLLQK_SetRGB_Step 0x3A 0x07 500"});
}

TEST_F(LEDFormTest, EffectButtonsSendTheirModeAndSwitchTheLightingOnAgainAfterOff) {
  Show();
  Get<toolkit::TrackBar>("TrackBarBlinking").SetPosition(9);
  Get<toolkit::TrackBar>("TrackBarRainbow").SetPosition(77);
  struct Step {
    const char* button;
    bool slave;
    Strings sent;
    Sleeps sleeps;
  };
  const Step steps[] = {
      {"RadioButtonBlinking", false,
       {"lib DLLQK_SetRGB_Mode 0x3A 0x00 0x03 0x09 500", "lib DLLQK_SetRGB_Mode 0x3A 0x00 0x01 0x00 500"}, {500}},
      {"RadioButtonRainbow", false, {"lib DLLQK_SetRGB_Mode 0x3A 0x00 0x05 0x4D 500"}, {500}},
      {"RadioButtonOff", false, {"lib DLLQK_SetRGB_Mode 0x3A 0x00 0x01 0x01 500"}, {}},
      {"RadioButtonOn", false,
       {"lib DLLQK_SetRGB_Mode 0x3A 0x00 0x02 0x00 500", "lib DLLQK_SetRGB_Mode 0x3A 0x00 0x01 0x00 500"}, {500}},
      {"RadioButtonOff", true, {"lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x00 0x01 0x00 500"}, {}},
      {"RadioButtonRainbow", true,
       {"lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x00 0x05 0x4D 500",
        "lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x00 0x01 0x00 500"},
       {500}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.button);
    if (s.slave) Click("RadioButtonSlave");
    clock_.ClearSleeps();
    Click(s.button);
    EXPECT_EQ(Take(), s.sent);
    EXPECT_EQ(clock_.Sleeps(), s.sleeps);
    EXPECT_TRUE(Get<toolkit::RadioButton>(s.button).Checked());
  }
  // Both controllers were last switched on again: mode 1 with 0.
  EXPECT_EQ(Slave().mode, 1);
  EXPECT_EQ(Slave().value, 0);
  EXPECT_EQ(Master().mode, 1);
  EXPECT_EQ(Master().value, 0);
}

TEST_F(LEDFormTest, OnlyTheCurrentEffectsTrackBarWakesTheWorker) {
  Show();
  Click("RadioButtonBreathe");
  Take();
  Get<toolkit::TrackBar>("TrackBarRainbow").MoveTo(200);  // not the current effect: nothing
  EXPECT_FALSE(dialog_->CommandPending());
  Get<toolkit::TrackBar>("TrackBarBreathe").MoveTo(42);
  AwaitCommands(1);
  EXPECT_EQ(Take(), Strings{"lib DLLQK_SetRGB_Mode 0x3A 0x00 0x04 0x2A 500"});
  EXPECT_EQ(dialog_->State().ValueOf(5), 1);  // the rainbow speed was never taken
  EXPECT_TRUE(debug_.Contains("LEDCommandThread"));
}

TEST_F(LEDFormTest, ColourCellsGoToTheirSlotOnTheChosenLedAndFamily) {
  Show();
  Click("Shape4");
  EXPECT_EQ(dialog_->SelectedShape(), 4);
  EXPECT_EQ(Get<toolkit::Shape>("Shape1").PenColor(), toolkit::kBlack);
  EXPECT_EQ(Get<toolkit::Shape>("Shape1").PenWidth(), 1);
  EXPECT_EQ(Get<toolkit::Shape>("Shape4").PenColor(), TLEDForm::kSelectedOutline);
  struct Case {
    const char* led;
    const char* family;
    std::optional<toolkit::Color> answer;
    Strings sent;
  };
  const Case cases[] = {
      {"RadioButtonAllLED", "RadioButtonMaster", 0x336699, {"lib DLLQK_SetRGB_Color 0x3A 0x01 0x04 0x99 0x66 0x33 500"}},
      {"RadioButtonLED2", "RadioButtonMaster", 0x000001, {"lib DLLQK_SetRGB_Color 0x3A 0x02 0x04 0x01 0x00 0x00 500"}},
      {"RadioButtonAllLED", "RadioButtonSlave", 0xFF0000, {"lib DLLQK_UsbHidSlave_SetRGB_Color_Ex 0x01 0x04 0x00 0x00 0xFF 500"}},
      {"RadioButtonLED1", "RadioButtonSlave", std::nullopt, {}},  // cancelled: nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.led) + " " + c.family);
    Click(c.led);
    Click(c.family);
    dialogs_.QueueColor(c.answer);
    const toolkit::Color before = Get<toolkit::Shape>("Shape4").BrushColor();
    Click("ButtonSetColor");
    EXPECT_EQ(Take(), c.sent);
    EXPECT_EQ(Get<toolkit::Shape>("Shape4").BrushColor(), c.answer.value_or(before));
  }
  EXPECT_EQ(Slave().slot_colours[4], 0xFF0000u);
}

TEST_F(LEDFormTest, AnEffectColourCellSetsItsEffectAndTheWorkerSendsIt) {
  Show();
  Get<toolkit::TrackBar>("TrackBarBlinking").SetPosition(17);
  Click("TrackBarBlinking");  // a click on a bar changes no speed
  dialogs_.QueueColor(0x00FF00);
  Click("ShapeBlinkingColor");
  EXPECT_EQ(Get<toolkit::Shape>("ShapeBlinkingColor").BrushColor(), 0x00FF00u);
  EXPECT_TRUE(Get<toolkit::RadioButton>("RadioButtonBlinking").Checked());
  AwaitCommands(1);
  // The colour at once; then the worker sends the stored speed of the effect, not
  // the bar's position, which was set without a change event.
  EXPECT_EQ(Take(), (Strings{"lib DLLQK_SetRGB_SingleColor 0x3A 0x01 0x03 0x00 0xFF 0x00 500",
                             "lib DLLQK_SetRGB_Mode 0x3A 0x00 0x03 0x01 500"}));

  dialogs_.QueueColor(std::nullopt);
  Click("ShapeSingleColor");
  EXPECT_EQ(dialog_->State().current_effect.load(), 2);  // taken before the dialog, kept when cancelled
  EXPECT_TRUE(Take().empty());
}

TEST_F(LEDFormTest, BrightnessGoesToTheChosenLedsInTheChosenFamily) {
  Show();
  auto& brightness = Get<toolkit::TrackBar>("TrackBarBrightness");
  brightness.MoveTo(3);
  Click("RadioButtonSlave");
  brightness.MoveTo(6);
  Click("RadioButtonLED1");
  brightness.MoveTo(9);  // beyond the range: the bar stays at 6, nothing moves
  EXPECT_EQ(Take(), (Strings{"lib DLLQK_SetRGB_Brightness 0x3A 0x00 0x03 500",
                             "lib DLLQK_UsbHidSlave_SetRGB_Brightness_Ex 0x00 0x06 500"}));
  EXPECT_EQ(Slave().brightness, 6);
}

TEST(LEDFormWithoutLibrary, ShowsAndAnswersWithoutSending) {
  ManualClock clock;
  toolkit::EventLoop loop(clock);
  toolkit::Application app(loop);
  TLEDForm dialog(app);
  dialog.Form().Show();
  dialog.RadioButtonMouseDown(*dialog.Form().FindControl("RadioButtonRainbow"));
  EXPECT_EQ(dialog.State().current_effect.load(), 5);
}

}  // namespace
}  // namespace audio77
