// The lighting of the real program on the virtual device: the LED page's
// effects, speeds and colour cells with the colour dialog answered from
// outside, the LED dialog that the LED tab opens instead when the profile
// says so, an unplug while an effect runs, and the lighting switched off at
// exit only when the effect worker ran. The calls are read back from the
// device's trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kLightingOff = "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x01 0x01 50 0x00";

std::string Mode(int mode, int value) {
  return "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 " + Hex(static_cast<unsigned>(mode)) + " " +
         Hex(static_cast<unsigned>(value)) + " 50 0x00";
}

int Count(const Strings& traffic, const std::string& prefix) {
  return static_cast<int>(std::count_if(traffic.begin(), traffic.end(),
                                        [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

bool Has(const Strings& traffic, const std::string& line) {
  return std::find(traffic.begin(), traffic.end(), line) != traffic.end();
}

class Lighting : public WindowScenario {
 protected:
  std::string LastProfile() const { return (UserFolder() / "LastProfile.ini").string(); }
  // A first run writes a whole last profile; then one of its keys is changed.
  void StartWithLastProfileKey(const std::string& section, const std::string& key, const std::string& value) {
    Start();
    ASSERT_EQ(Close(), 0);
    const ProcessResult set = Ctl({"profile", "set", LastProfile(), section, key, value});
    ASSERT_EQ(set.exit_code, 0) << set.err;
    Start();
  }
  std::string LastProfileText() const {
    std::ifstream in(LastProfile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Status() const { return Ctl({"virtual", "status"}).out; }
  // The LED dialog's commands: `ui window LEDForm ...`.
  void Dialog(std::vector<std::string> args) const {
    args.insert(args.begin(), {"window", "LEDForm"});
    Do(args);
  }
  bool DialogVisible() const { return Ui({"window", "LEDForm", "state"}).out.find("visible=1") != std::string::npos; }
  // Waits until the trace since mark holds line.
  bool AwaitTraffic(std::size_t mark, const std::string& line) const {
    return WaitUntil([&] { return Has(TrafficSince(mark), line); }, kPatience);
  }
};

TEST_F(Lighting, EachEffectAndSpeedOfTheLedPageReachesTheDeviceAndExitSwitchesTheLightingOff) {
  Start();
  // Start-up sent the step count and the colour table once, whoever sent it.
  ASSERT_TRUE(WaitUntil([&] { return Count(TrafficSince(0), "lib DLLQK_SetRGB_Color_ById") == 7; }, kPatience));
  EXPECT_EQ(Count(TrafficSince(0), "lib DLLQK_SetRGB_Step_ById 0x3A 0x07 50 0x00"), 1);
  Do({"click", "PageLEDLabel"});
  ASSERT_NE(State().find("page=6"), std::string::npos);
  for (const char* bar : {"ColorBreatheBarImage", "ColorRainbowBarImage", "ColorPulsatingBarImage"}) {
    EXPECT_TRUE(Visible(bar)) << bar;
    EXPECT_NE(Picture(bar), "-") << bar;
  }
  // Each knob on its own bar, at its left end.
  for (const auto& [knob, bar] : {std::pair{"ColorBreatheSliderImage", "ColorBreatheBarImage"},
                                  std::pair{"ColorRainbowSliderImage", "ColorRainbowBarImage"},
                                  std::pair{"ColorPulsatingSliderImage", "ColorPulsatingBarImage"}}) {
    EXPECT_EQ(FieldOf(Get(knob), "x"), FieldOf(Get(bar), "x")) << knob;
    EXPECT_LT(std::abs(Top(knob) - Top(bar)), 20) << knob;
  }

  struct Case {
    const char* check;
    Strings sent;  // in this order among the traffic
  };
  const Case cases[] = {
      {"ColorRainbowCheckImage", {Mode(5, 1), Mode(5, 1)}},
      {"ColorBreatheCheckImage",
       {Mode(4, 1), "lib DLLQK_SetRGB_SingleColor_ById 0x3A 0x01 0x04 0xFF 0x00 0x00 50 0x00", Mode(4, 1)}},
      {"ColorPulsatingCheckImage", {Mode(6, 1), Mode(6, 1)}},
      {"ColorSingleCheckImage", {Mode(2, 0), "lib DLLQK_SetRGB_SingleColor_ById 0x3A 0x01 0x02 0xFF 0x00 0x00 50 0x00"}},
      {"ColorLEDOffCheckImage", {Mode(1, 1), Mode(1, 1)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.check);
    const std::size_t mark = Mark();
    Do({"click", c.check});
    EXPECT_TRUE(InOrder(TrafficSince(mark), c.sent)) << Joined(TrafficSince(mark));
    EXPECT_EQ(Picture(c.check), "radio_down.png");
  }
  EXPECT_NE(Status().find("lighting: off"), std::string::npos) << Status();

  // The rainbow's knob to the right end: fastest; to the left end: slowest but one.
  Do({"click", "ColorRainbowCheckImage"});
  std::size_t mark = Mark();
  Do({"drag", "ColorRainbowSliderImage", "1000", "0"});
  EXPECT_TRUE(Has(TrafficSince(mark), Mode(5, 255))) << Joined(TrafficSince(mark));
  EXPECT_NE(Status().find("lighting: rainbow at speed 255"), std::string::npos) << Status();
  mark = Mark();
  Do({"drag", "ColorRainbowSliderImage", "-1000", "0"});
  EXPECT_TRUE(Has(TrafficSince(mark), Mode(5, 2))) << Joined(TrafficSince(mark));
  // A knob whose effect does not run sends nothing when it is let go (the
  // worker's pass for the rainbow may still come).
  mark = Mark();
  Do({"drag", "ColorBreatheSliderImage", "60", "0"});
  EXPECT_EQ(Count(TrafficSince(mark), "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x04"), 0) << Joined(TrafficSince(mark));

  mark = Mark();
  EXPECT_EQ(Close(), 0);
  const Strings at_exit = TrafficSince(mark);
  EXPECT_TRUE(Has(at_exit, kLightingOff)) << Joined(at_exit);
  EXPECT_NE(LastProfileText().find("LEDEffectMode=2\r\n"), std::string::npos) << LastProfileText();
}

TEST_F(Lighting, ColourCellsTakeTheDialogsAnswerNotPureBlackAndKeepItThroughASkinChange) {
  Start();
  Do({"click", "PageLEDLabel"});
  std::size_t mark = Mark();
  Do({"answer", "COLOR=0x123456"});
  Do({"click", "Color03Shape"});
  EXPECT_EQ(TrafficSince(mark), Strings{"lib DLLQK_SetRGB_Color_ById 0x3A 0x01 0x03 0x56 0x34 0x12 50 0x00"});
  EXPECT_NE(Status().find("3=0x123456"), std::string::npos) << Status();
  mark = Mark();
  Do({"answer", "COLOR=0x000000"});
  Do({"click", "Color04Shape"});
  Do({"answer", "Cancel"});
  Do({"click", "Color05Shape"});
  EXPECT_TRUE(TrafficSince(mark).empty()) << Joined(TrafficSince(mark));
  // The breathe and the single colour go out as mode colours.
  Do({"answer", "COLOR=0x00FF00"});
  Do({"click", "ColorBreatheShape"});
  Do({"answer", "COLOR=0xFF0000"});
  Do({"click", "ColorSingleShape"});
  EXPECT_TRUE(InOrder(TrafficSince(mark), {"lib DLLQK_SetRGB_SingleColor_ById 0x3A 0x01 0x04 0x00 0xFF 0x00 50 0x00",
                                           "lib DLLQK_SetRGB_SingleColor_ById 0x3A 0x01 0x02 0x00 0x00 0xFF 50 0x00"}))
      << Joined(TrafficSince(mark));

  // Another skin keeps the user's colours, and exit saves them.
  std::string other;
  for (const auto& line : LinesOf(Ui({"menus"}).out)) {
    const std::string path = MenuPath(line);
    if (line.rfind("[ ] ", 0) == 0 && (path.ends_with("/Dark") || path.ends_with("/Light"))) other = path;
  }
  ASSERT_FALSE(other.empty()) << Ui({"menus"}).out;
  Do({"menu", other});
  EXPECT_EQ(Close(), 0);
  const std::string saved = LastProfileText();
  EXPECT_NE(saved.find("LEDColor3RGB=1193046\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("LEDColor4RGB=16777215\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("LEDBreatheColorRGB=65280\r\n"), std::string::npos) << saved;
}

TEST_F(Lighting, WithoutPageMode1TheTabOpensTheDialogAndExitLeavesTheLightingAlone) {
  StartWithLastProfileKey("LED", "LEDPageMode", "2");
  ASSERT_FALSE(DialogVisible());
  const std::string tab = Get("PageLEDImage");
  Do({"click", "PageLEDImage", std::to_string(std::stoi(FieldOf(tab, "x")) + 2),
      std::to_string(std::stoi(FieldOf(tab, "y")) + 2)});
  ASSERT_TRUE(WaitUntil([&] { return DialogVisible(); }, kPatience));
  EXPECT_NE(State().find("page=1"), std::string::npos) << "the LED page is not entered";

  // Slave, LED 2, then "Breathe" after "LED Off": the mode, half a second, the lighting on again.
  std::size_t mark = Mark();
  Dialog({"click", "RadioButtonSlave"});
  Dialog({"click", "RadioButtonLED2"});
  Dialog({"click", "RadioButtonBreathe"});
  EXPECT_TRUE(InOrder(TrafficSince(mark), {"lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x02 0x04 0x01 500",
                                           "lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x02 0x01 0x00 500"}))
      << Joined(TrafficSince(mark));
  // Master again, all LEDs: a colour cell goes to LED 1, brightness to all.
  mark = Mark();
  Dialog({"click", "RadioButtonMaster"});
  Dialog({"click", "RadioButtonAllLED"});
  Dialog({"click", "Shape5"});
  Do({"answer", "COLOR=0x0080FF"});
  Dialog({"click", "ButtonSetColor"});
  EXPECT_TRUE(Has(TrafficSince(mark), "lib DLLQK_SetRGB_Color 0x3A 0x01 0x05 0xFF 0x80 0x00 500"))
      << Joined(TrafficSince(mark));
  EXPECT_NE(Status().find(" 5=0x0080FF"), std::string::npos) << Status();
  Dialog({"click", "ButtonClose"});
  ASSERT_TRUE(WaitUntil([&] { return !DialogVisible(); }, kPatience));

  mark = Mark();
  EXPECT_EQ(Close(), 0);
  EXPECT_FALSE(Has(TrafficSince(mark), kLightingOff)) << "the effect worker never ran";
}

TEST_F(Lighting, WithPageMode0OnlyTheTabsLabelOpensTheDialog) {
  StartWithLastProfileKey("LED", "LEDPageMode", "0");
  // The tab's caption lies over the middle of its image: the image is clicked at its corner.
  const std::string tab = Get("PageLEDImage");
  Do({"click", "PageLEDImage", std::to_string(std::stoi(FieldOf(tab, "x")) + 2),
      std::to_string(std::stoi(FieldOf(tab, "y")) + 2)});
  Do({"state"});
  EXPECT_FALSE(DialogVisible());
  Do({"click", "PageLEDLabel"});
  ASSERT_TRUE(WaitUntil([&] { return DialogVisible(); }, kPatience));
  Dialog({"click", "ButtonClose"});
  ASSERT_TRUE(WaitUntil([&] { return !DialogVisible(); }, kPatience));
  EXPECT_EQ(Close(), 0);
}

TEST_F(Lighting, AnUnplugDuringAnEffectForgetsTheWorkerAndTheReturnSendsTheTableAgain) {
  Start();
  Do({"click", "PageLEDLabel"});
  Do({"click", "ColorRainbowCheckImage"});
  ASSERT_EQ(Ctl({"virtual", "unplug"}).exit_code, 0);
  ASSERT_TRUE(WaitForUi({"state"}, "device_active=0"));
  const std::size_t mark = Mark();
  ASSERT_EQ(Ctl({"virtual", "plug"}).exit_code, 0);
  ASSERT_TRUE(WaitForUi({"state"}, "device_active=1"));
  ASSERT_TRUE(WaitUntil([&] { return Count(TrafficSince(mark), "lib DLLQK_SetRGB_Color_ById") == 7; }, kPatience))
      << Joined(TrafficSince(mark));
  EXPECT_EQ(Count(TrafficSince(mark), "lib DLLQK_SetRGB_Step_ById"), 1);
  const std::size_t exit_mark = Mark();
  EXPECT_EQ(Close(), 0);
  EXPECT_TRUE(Has(TrafficSince(exit_mark), kLightingOff));
}

}  // namespace
}  // namespace audio77::test
