// The main window of the real program on the virtual device, pressed and
// read from outside: what each press and release shows, the warning box when
// no device is there, the page tabs, the switches and momentary buttons, and
// the language menu of the tray.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

constexpr const char* kWarning = "Audio77\tPlease connect the device first.";
constexpr const char* kUpColour = "0xA3958C";    // the bundled languages' label colours
constexpr const char* kDownColour = "0xE6932B";

bool HasHidOutput(const std::vector<std::string>& trace) {
  for (const auto& line : trace) {
    if (line.rfind("hid out", 0) == 0) return true;
  }
  return false;
}

using WindowDispatch = WindowScenario;

TEST_F(WindowDispatch, WithoutADeviceEachPressThatNeedsOneWarnsOnceAndItsGestureEndsThere) {
  Start({"[Device]\nPresent=0\n", {}});
  ASSERT_NE(State().find("device_active=0"), std::string::npos);
  EXPECT_EQ(Caption("DeviceActiveLabel"), "No device");
  const std::string absent_lamp = Picture("DeviceInImage");
  const std::size_t mark = Mark();

  struct Case {
    const char* control;
    const char* image;  // what must look the same after the press and its release
  };
  const Case warned[] = {
      {"Menu1Label", "Menu1Image"},        {"Menu2Label", "Menu2Image"},
      {"EQEQENLabel", "EQEQENImage"},      {"EQ3DENLabel", "EQ3DENImage"},
      {"EQS2Label", "EQS2Image"},          {"EQResetLabel", "EQResetImage"},
      {"LEDImage", "LEDImage"},            {"PageEffectLabel", "PageEffectImage"},
      {"PageMicImage", "PageMicImage"},    {"PageVMEffectLabel", "PageVMEffectImage"},
      {"EQ60HzSliderImage", "EQ60HzSliderImage"},
  };
  std::size_t boxes = Boxes().size();
  for (const Case& c : warned) {
    SCOPED_TRACE(c.control);
    const std::string before = Get(c.image);
    Do({"answer", "OK"});
    Do({"press", c.control});
    ASSERT_EQ(Boxes().size(), ++boxes);
    EXPECT_EQ(Boxes().back(), kWarning);
    Do({"release", c.control});
    EXPECT_EQ(Boxes().size(), boxes) << "the release shows nothing more";
    EXPECT_EQ(Get(c.image), before);
  }
  // A click on a bar (away from its knob) and a drag of a knob: one box each, nothing moves.
  Do({"answer", "OK"});
  Do({"click", "EQ300HzBarImage", "336", "110"});
  Do({"answer", "OK"});
  Do({"drag", "EQ1200HzSliderImage", "0", "-40"});
  EXPECT_EQ(Boxes().size(), boxes + 2);
  EXPECT_EQ(Top("EQ300HzSliderImage"), 165);
  EXPECT_EQ(Top("EQ1200HzSliderImage"), 165);
  EXPECT_NE(State().find("page=1"), std::string::npos);

  // "About" and the synchronisation label need no device; About opens nothing without one.
  Do({"press", "Menu3Label"});
  EXPECT_EQ(Picture("Menu3Image"), "menu3_down.png");
  EXPECT_EQ(FieldOf(Get("Menu3Label"), "color"), kDownColour);
  Do({"release", "Menu3Label"});
  EXPECT_EQ(Picture("Menu3Image"), "menu3_up.png");
  EXPECT_EQ(FieldOf(Get("Menu3Label"), "color"), kUpColour);
  Do({"click", "SyncLabel"});
  EXPECT_EQ(Boxes().size(), boxes + 2);
  EXPECT_FALSE(HasHidOutput(TraceSince(mark)));

  // The device arrives: the same presses act, and its removal shows the switches off.
  ASSERT_EQ(Ctl({"virtual", "plug"}).exit_code, 0);
  ASSERT_TRUE(WaitForUi({"state"}, "device_active=1"));
  EXPECT_EQ(Caption("DeviceActiveLabel"), "Device connected");
  EXPECT_NE(Picture("DeviceInImage"), absent_lamp);
  Do({"click", "EQEQENLabel"});
  EXPECT_EQ(Picture("EQEQENImage"), "button_down.png");
  Do({"click", "PageEffectLabel"});
  Do({"click", "EffectLivingroomLabel"});
  EXPECT_EQ(Picture("EffectButtonLivingroomImage"), "env4_down.png");
  EXPECT_EQ(Boxes().size(), boxes + 2);

  const std::size_t before_removal = Mark();
  ASSERT_EQ(Ctl({"virtual", "unplug"}).exit_code, 0);
  ASSERT_TRUE(WaitForUi({"get", "EffectButtonNonImage"}, "picture=env1_down.png"));
  EXPECT_NE(State().find("device_active=0"), std::string::npos);
  EXPECT_EQ(Picture("EffectButtonLivingroomImage"), "env4_up.png");
  EXPECT_EQ(Picture("EffectButtonNonImage"), "env1_down.png");
  EXPECT_EQ(Picture("EffectPicImage"), "env1_picture.png");
  EXPECT_EQ(Picture("EQEQENImage"), "button_up.png");
  EXPECT_EQ(Picture("DeviceInImage"), absent_lamp);
  Do({"answer", "OK"});
  Do({"click", "PageEQLabel"});
  EXPECT_EQ(Boxes().back(), kWarning);
  EXPECT_NE(State().find("page=2"), std::string::npos) << "the tab refuses without a device";
  // No environment request goes to the device that left (the search for a
  // device asks the driver extension on its own).
  for (const auto& line : TrafficSince(before_removal)) {
    EXPECT_NE(line.rfind("ext 0x0823", 0), 0u) << line;
  }
  // The close button needs no device: the window goes to the tray, or is
  // minimised where the desktop has no notification area.
  Do({"click", "CloseImage"});
  const std::string away = State();
  EXPECT_TRUE(away.find("visible=0") != std::string::npos || away.find("minimised=1") != std::string::npos) << away;
  EXPECT_NE(away.find("tray=1"), std::string::npos) << away;
  EXPECT_EQ(Close(), 0);
}

TEST_F(WindowDispatch, EveryTabSwitchAndButtonShowsWhatItDoes) {
  Start();
  // The tabs, in an order that leaves each page from another.
  struct Tab {
    const char* label;
    int page;
    const char* image;
    const char* down;
    const char* left;  // MainLeftImage's picture; empty: hidden
    const char* shown;
    const char* hidden;
  };
  const Tab tabs[] = {
      {"PageEffectLabel", 2, "PageEffectImage", "tab_2_down.png", "left2.png", "EffectPicImage", "EQ60HzSliderImage"},
      {"PageMicLabel", 3, "PageMicImage", "tab_3_down.png", "left3.png", "MicSliderImage", "EffectPicImage"},
      {"PageVirtual7p1Label", 4, "PageVirtual7p1Image", "tab_4_down.png", "left4.png", "BeeCheckBox", "MicSliderImage"},
      {"PageLEDLabel", 6, "PageLEDImage", "tab_5_down.png", "", "Color01Shape", "BeeCheckBox"},
      {"PageENCLabel", 7, "PageENCImage", "tab_6_down.png", "", "ENCSliderImage", "Color01Shape"},
      {"PageVMEffectLabel", 8, "PageVMEffectImage", "tab_7_down.png", "", "VMEffect1Image", "ENCSliderImage"},
      {"PageEQLabel", 1, "PageEQImage", "tab_1_down.png", "left1.png", "EQ60HzSliderImage", "VMEffect1Image"},
  };
  const Tab* previous = &tabs[std::size(tabs) - 1];
  for (const Tab& tab : tabs) {
    SCOPED_TRACE(tab.label);
    Do({"click", tab.label});
    EXPECT_NE(State().find("page=" + std::to_string(tab.page)), std::string::npos) << State();
    EXPECT_EQ(Picture(tab.image), tab.down);
    EXPECT_EQ(FieldOf(Get(tab.label), "color"), kDownColour);
    EXPECT_EQ(FieldOf(Get(previous->label), "color"), kUpColour);
    EXPECT_NE(Picture(previous->image), previous->down);
    if (*tab.left != '\0') {
      EXPECT_EQ(Picture("MainLeftImage"), tab.left);
    }
    EXPECT_EQ(Visible("MainLeftImage"), *tab.left != '\0');
    EXPECT_TRUE(Visible(tab.shown));
    EXPECT_FALSE(Visible(tab.hidden));
    previous = &tab;
  }

  // The 3D tab leads nowhere: its caption belongs to the 3D page alone, and a
  // click where it sits opens no page.
  EXPECT_FALSE(Visible("Page3DLabel"));
  const std::string tab = Get("Page3DLabel");
  const int tab_x = std::stoi(FieldOf(tab, "x")) + std::stoi(FieldOf(tab, "w")) / 2;
  const int tab_y = std::stoi(FieldOf(tab, "y")) + std::stoi(FieldOf(tab, "h")) / 2;
  Do({"click", "Page3DLabel", std::to_string(tab_x), std::to_string(tab_y)});
  EXPECT_NE(State().find("page=1"), std::string::npos) << State() << tab;
  EXPECT_FALSE(Visible("D3FBMImage"));

  // Each switch on its page: on, then off again, picture and label colour together.
  struct Switch {
    const char* tab;
    const char* label;
    const char* image;
  };
  const Switch switches[] = {
      {"PageEQLabel", "EQEQENLabel", "EQEQENImage"},         {"PageEQLabel", "EQ3DENLabel", "EQ3DENImage"},
      {"PageMicLabel", "MicBoostLabel", "MicBoostImage"},    {"PageMicLabel", "MicMuteLabel", "MicMuteImage"},
      {"PageMicLabel", "MicMonitorLabel", "MicMonitorImage"}, {"PageVirtual7p1Label", "VirtualENLabel", "VirtualEnableImage"},
  };
  for (const Switch& s : switches) {
    SCOPED_TRACE(s.label);
    Do({"click", s.tab});
    EXPECT_EQ(Picture(s.image), "button_up.png");
    Do({"click", s.label});
    EXPECT_EQ(Picture(s.image), "button_down.png");
    EXPECT_EQ(FieldOf(Get(s.label), "color"), kDownColour);
    Do({"click", s.label});
    EXPECT_EQ(Picture(s.image), "button_up.png");
    EXPECT_EQ(FieldOf(Get(s.label), "color"), kUpColour);
  }

  // The noise-cancellation knob without ENC support warns once for a press;
  // the movements over it and its release add nothing.
  Do({"click", "PageENCLabel"});
  const std::size_t enc_boxes = Boxes().size();
  const int enc_top = Top("ENCSliderImage");
  Do({"answer", "OK"});
  Do({"drag", "ENCSliderImage", "0", "-30"});
  const std::string knob = Get("ENCSliderImage");
  const int x = std::stoi(FieldOf(knob, "x")) + 2;
  Do({"move", std::to_string(x), std::to_string(std::stoi(FieldOf(knob, "y")) + 2)});
  const std::vector<std::string> after_enc = Boxes();
  ASSERT_LE(after_enc.size(), enc_boxes + 1);
  if (after_enc.size() == enc_boxes + 1) {
    EXPECT_EQ(after_enc.back(), "Audio77\tThis device does not support noise cancellation.");
    EXPECT_EQ(Top("ENCSliderImage"), enc_top);
  }

  // The animation switches of the Virtual 7.1 page latch one at a time, and only while it is on.
  Do({"click", "PageVirtual7p1Label"});
  const char* latches[] = {"VirtualClockwiseImage", "VirtualCounterclockwiseImage", "VirtualEnlargeImage",
                           "VirtualNarrowImage"};
  const auto on = [&] {
    std::vector<int> state;
    for (const char* image : latches) state.push_back(Picture(image).find("_down") != std::string::npos ? 1 : 0);
    return state;
  };
  Do({"click", "VirtualClockwiseLabel"});
  EXPECT_EQ(on(), (std::vector<int>{0, 0, 0, 0})) << "virtual 7.1 is off";
  Do({"click", "VirtualENLabel"});
  struct Step {
    const char* label;
    std::vector<int> after;
  };
  const Step steps[] = {
      {"VirtualCounterclockwiseLabel", {0, 1, 0, 0}}, {"VirtualClockwiseLabel", {1, 0, 0, 0}},
      {"VirtualEnlargeLabel", {0, 0, 1, 0}},          {"VirtualNarrowLabel", {0, 0, 0, 1}},
      {"VirtualNarrowLabel", {0, 0, 0, 0}},
  };
  for (const Step& step : steps) {
    Do({"click", step.label});
    EXPECT_EQ(on(), step.after) << step.label;
  }
  // While the test tone box is checked neither the latches nor RESET react.
  Do({"click", "BeeCheckBox"});
  Do({"click", "VirtualClockwiseLabel"});
  Do({"press", "VirtualResetLabel"});
  EXPECT_EQ(on(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Picture("VirtualResetImage"), "push_up.png");
  Do({"release", "VirtualResetLabel"});
  Do({"click", "BeeCheckBox"});

  // Momentary buttons are down only while held. Save and Load may ask for a
  // file on their release: the answer declines.
  struct Momentary {
    const char* tab;
    const char* label;
    const char* image;
    const char* up;
    const char* down;
  };
  const Momentary buttons[] = {
      {"PageVirtual7p1Label", "VirtualResetLabel", "VirtualResetImage", "push_up.png", "push_down.png"},
      {"PageEQLabel", "EQResetLabel", "EQResetImage", "push_up.png", "push_down.png"},
      {"PageEQLabel", "Menu3Label", "Menu3Image", "menu3_up.png", "menu3_down.png"},
      {"PageEQLabel", "Menu1Label", "Menu1Image", "menu1_up.png", "menu1_down.png"},
      {"PageEQLabel", "Menu2Label", "Menu2Image", "menu2_up.png", "menu2_down.png"},
  };
  for (const Momentary& b : buttons) {
    SCOPED_TRACE(b.label);
    Do({"click", b.tab});
    Do({"press", b.label});
    EXPECT_EQ(Picture(b.image), b.down);
    EXPECT_EQ(FieldOf(Get(b.label), "color"), kDownColour);
    if (std::string(b.label).starts_with("Menu1") || std::string(b.label).starts_with("Menu2")) {
      Do({"answer", "Cancel"});
    }
    Do({"release", b.label});
    EXPECT_EQ(Picture(b.image), b.up);
    EXPECT_EQ(FieldOf(Get(b.label), "color"), kUpColour);
  }

  // The LED button drives GPIO 0 while held and lets every line go on release.
  Do({"press", "LEDImage"});
  EXPECT_EQ(Picture("LEDImage"), "led_held.png");
  EXPECT_EQ(Ctl({"gpio", "read"}).out, "1 0 0 0 0 0 0 0 0 0\n");
  Do({"release", "LEDImage"});
  EXPECT_EQ(Picture("LEDImage"), "led_rest.png");
  EXPECT_EQ(Ctl({"gpio", "read"}).out, "0 0 0 0 0 0 0 0 0 0\n");

  // The 3D page has no tab: its controls are not shown and cannot be pressed,
  // and a press aimed at one does not reach the EQ button lying at its place.
  const ProcessResult fbm = Ui({"press", "D3FBMLabel"});
  EXPECT_EQ(fbm.exit_code, 1);
  EXPECT_NE((fbm.out + fbm.err).find("not shown"), std::string::npos) << fbm.out << fbm.err;
  EXPECT_EQ(Picture("EQ3DENImage"), "button_up.png");
  // Besides the Save and Load dialogs (cancelled above), no box came up.
  EXPECT_EQ(Boxes().size(), after_enc.size() + 2) << Joined(Boxes());

  Do({"click", "MinimizeImage"});
  EXPECT_NE(State().find("minimised=1"), std::string::npos) << State();
  EXPECT_EQ(Close(), 0);
}

// The language files of the program folder's own copy.
class WindowLanguages : public WindowScenario {
 protected:
  // Every resolution's copy of a language, the English file changed by edit.
  void AddLanguage(const std::string& name, const std::function<void(std::string&)>& edit) const {
    for (const char* resolution : {"", "1366x768/", "1920x1080/"}) {
      const auto folder = ProgramFolder() / "Languages" / resolution;
      std::ifstream in(folder / "English" / "Language.ini", std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      edit(text);
      std::filesystem::create_directories(folder / name);
      std::ofstream(folder / name / "Language.ini", std::ios::binary) << text;
    }
  }
  static void Replace(std::string& text, const std::string& key, const std::string& line) {
    const auto at = text.find("\n" + key + "=");
    ASSERT_NE(at, std::string::npos) << key;
    const auto end = text.find('\n', at + 1);
    text.replace(at + 1, end - at - 1, line);
  }
  // The checked entry of the language menu.
  std::string Checked() const {
    const std::string checked = "[x] " + LanguageMenu() + "/";
    for (const auto& line : LinesOf(Ui({"menus"}).out)) {
      if (line.rfind(checked, 0) == 0) return MenuPath(line).substr(checked.size() - 4);
    }
    return {};
  }
  void Choose(const std::string& language) { Do({"menu", LanguageMenu() + "/" + language}); }
  // A picture of every page, each as large as the window's face; the EQ page last.
  void ScreenshotEveryPage(const std::string& language) const {
    const std::string face = Get("MainFormImage");
    for (const char* tab : {"PageEffectLabel", "PageMicLabel", "PageVirtual7p1Label", "PageLEDLabel", "PageENCLabel",
                            "PageVMEffectLabel", "PageEQLabel"}) {
      SCOPED_TRACE(language + " " + tab);
      Do({"click", tab});
      const std::string file = (state_.path() / (language + "-" + tab + ".png")).string();
      Do({"screenshot", file});
      std::ifstream png(file, std::ios::binary);
      unsigned char header[24] = {};
      png.read(reinterpret_cast<char*>(header), sizeof header);
      ASSERT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
      const auto number = [&](int at) { return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3]; };
      EXPECT_EQ(number(16), std::stoi(FieldOf(face, "w")));
      EXPECT_EQ(number(20), std::stoi(FieldOf(face, "h")));
    }
  }
};

TEST_F(WindowLanguages, TheTrayMenuSwitchesCaptionsAndAFileWithOddValuesIsReadAsWritten) {
  PrepareProgramFolder({});
  AddLanguage("Edge", [](std::string& text) {
    Replace(text, "LabelMenu1", "; the key of Save is missing");
    Replace(text, "LabelMenu2", "LabelMenu2=(null),,,,,414,15,56,16");
    Replace(text, "LabelCompanyName", "LabelCompanyName=Edge Co,,,,,160,15,150,16,2");
    Replace(text, "LabelActive", "LabelActive=Edge connected,,,,,46,374,118,16");
  });
  AddLanguage("Broken", [](std::string& text) { Replace(text, "LabelActive", "LabelActive=Kaputt,red"); });
  Start();

  EXPECT_EQ(Checked(), "English");
  EXPECT_EQ(Caption("DeviceActiveLabel"), "Device connected");

  ScreenshotEveryPage("english");
  Choose("Deutsch");
  EXPECT_EQ(Caption("DeviceActiveLabel"), "Gerät verbunden");
  EXPECT_EQ(Caption("PageEffectLabel"), "Effekt");
  EXPECT_EQ(Caption("Menu1Label"), "Speichern");
  EXPECT_EQ(LanguageMenu(), "Sprache");
  EXPECT_EQ(Checked(), "Deutsch");
  ScreenshotEveryPage("german");
  {
    std::ifstream saved(UserFolder() / "AudioConfig.cfg");
    std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("DefaultLanguage=German"), std::string::npos) << text;
  }

  Choose("简体中文");
  EXPECT_EQ(Checked(), "简体中文");
  const std::string chinese = Caption("DeviceActiveLabel");
  EXPECT_FALSE(chinese.empty());
  EXPECT_NE(chinese, "Device connected");
  EXPECT_NE(chinese, "Gerät verbunden");
  ScreenshotEveryPage("chinese");

  // A language the display-name map does not know shows its folder's name.
  Choose("Edge");
  EXPECT_EQ(Checked(), "Edge");
  EXPECT_EQ(Caption("DeviceActiveLabel"), "Edge connected");
  EXPECT_FALSE(Visible("Menu1Label")) << "a missing key hides its label";
  EXPECT_FALSE(Visible("Menu2Label")) << "\"(null)\" hides its label";
  EXPECT_FALSE(Visible("CompanyNameLabel")) << "its page is the Effect page";
  Do({"click", "PageEffectLabel"});
  EXPECT_TRUE(Visible("CompanyNameLabel"));
  EXPECT_EQ(Caption("CompanyNameLabel"), "Edge Co");
  Do({"click", "PageEQLabel"});
  EXPECT_FALSE(Visible("CompanyNameLabel"));
  EXPECT_FALSE(Visible("Menu1Label"));

  // A colour that is no number: the box names the key, and nothing changes.
  const std::size_t boxes = Boxes().size();
  Do({"answer", "OK"});
  Choose("Broken");
  ASSERT_EQ(Boxes().size(), boxes + 1);
  EXPECT_NE(Boxes().back().find("LabelActive"), std::string::npos) << Boxes().back();
  EXPECT_EQ(Checked(), "Edge");
  EXPECT_EQ(Caption("DeviceActiveLabel"), "Edge connected");
  EXPECT_FALSE(Visible("Menu2Label"));

  Choose("English");
  EXPECT_EQ(Caption("Menu1Label"), "Save");
  EXPECT_TRUE(Visible("Menu1Label"));
  EXPECT_EQ(Caption("DeviceActiveLabel"), "Device connected");
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace audio77::test
