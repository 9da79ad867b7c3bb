// Which labels show on which page once a language file dresses them: the
// record's caption and page decide, not the window's design.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/harness/ProgramHarness.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"

namespace audio77 {
namespace {

using test::ProgramHarness;

// A language in every resolution set; the menu shows it by its folder name.
void AddLanguage(ProgramHarness& h, const std::string& name, const std::string& text) {
  for (const char* resolution : {"", "1366x768/", "1920x1080/"}) {
    const auto folder = h.ProgramFolder() / "Languages" / (std::string(resolution) + name);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Language.ini") << text;
  }
}

void ChooseLanguage(ProgramHarness& h, const std::string& caption) {
  for (const auto& item : h.Form().TrayMenu().Find("LanguageMenu")->Items()) {
    if (item->Caption() == caption) return item->Click();
  }
  FAIL() << "no language entry " << caption;
}

bool Visible(ProgramHarness& h, const char* label) {
  return h.Form().Form().Find<toolkit::Label>(label)->Visible();
}

constexpr const char* kEdgeLanguage =
    "[Main]\n"
    "LabelPageEQ=EQ\n"
    "LabelActive=Connected,,,,,,,,,3\n"
    "LabelUnactive=No device\n"
    "[EQ]\n"
    "LabelEQEnable=Mic only,,,,,,,,,3\n"
    "LabelEQReset=(null)\n"
    "LabelEQS2=Everywhere,,,,,,,,,0\n"
    "[Mic]\n"
    "LabelMicBoost=Boost\n"
    "[LED]\n"
    "ColorBreatheLabel=Breathe\n"
    "ColorSlowLabel=Slow,,,,,,,,,1\n";

TEST(LabelPages, RecordsDecideWhichPagesShowALabel) {
  ProgramHarness h;
  AddLanguage(h, "Edge", kEdgeLanguage);
  h.Start();
  h.Form().LightingFeature().SetPageMode(1);
  ChooseLanguage(h, "Edge");
  struct Case {
    const char* label;
    bool eq, effect, mic, led;
  };
  const Case cases[] = {
      {"EQEQENLabel", false, false, true, false},       // an EQ key whose tenth field is 3
      {"EQResetLabel", false, false, false, false},     // "(null)"
      {"EQS1Label", false, false, false, false},        // absent from the file
      {"EQS2Label", true, true, true, true},            // page 0
      {"MicBoostLabel", false, false, true, false},     // the section's page
      {"PageEQLabel", true, true, true, true},          // "Main": every page
      {"PageMicLabel", false, false, false, false},     // absent, though the design names it
      {"ColorBreatheLabel", false, false, false, true},  // the LED page while it is enabled
      // LED labels compare with page 1 away from the LED page.
      {"ColorSlowLabel", true, true, true, false},
      {"DeviceActiveLabel", false, false, true, false},  // "LabelActive" while a device is active
  };
  struct Step {
    int tab;
    bool Case::*shown;
  };
  const Step steps[] = {{23, &Case::eq}, {25, &Case::effect}, {26, &Case::mic}, {228, &Case::led}};
  for (const Step& step : steps) {
    h.Form().SelectPage(step.tab);
    for (const Case& c : cases) EXPECT_EQ(Visible(h, c.label), c.*step.shown) << c.label << " tab " << step.tab;
  }
  EXPECT_TRUE(h.Dialogs().Messages().empty());

  // Without a device the label goes by "LabelUnactive", whose page is 0.
  h.Form().SelectPage(23);
  h.Unplug();
  EXPECT_FALSE(h.Form().Session().Active());
  EXPECT_EQ(h.Form().Form().Find<toolkit::Label>("DeviceActiveLabel")->Caption(), "No device");
  EXPECT_TRUE(Visible(h, "DeviceActiveLabel"));
  EXPECT_TRUE(Visible(h, "EQS2Label"));
  EXPECT_FALSE(Visible(h, "EQEQENLabel"));
  // Back again, its text belongs to the Mic page only.
  h.Plug();
  h.TickTimer1();
  ASSERT_TRUE(h.Form().Session().Active());
  EXPECT_EQ(h.Form().Form().Find<toolkit::Label>("DeviceActiveLabel")->Caption(), "Connected");
  EXPECT_FALSE(Visible(h, "DeviceActiveLabel"));
}

TEST(LabelPages, ValueLabelsShowTheSlidersValuesAfterALanguageChange) {
  ProgramHarness h;
  AddLanguage(h, "Values", "[Mic]\nLabelMicValue=99\n[ENC]\nLabelENCValue=99\n");
  h.Start();
  toolkit::Form& form = h.Form().Form();
  // Stand the Mic knob a quarter down its travel and give ENC a level.
  h.Form().SelectPage(26);
  const SliderTravel travel = h.Form().MicTravel();
  toolkit::Control& knob = *form.FindControl("MicSliderImage");
  const toolkit::Point press{knob.Left() + knob.Width() / 2, knob.Top() + knob.Height() / 2};
  const int dy = travel.top + travel.length / 4 - knob.Top();
  form.MouseDown(press, toolkit::MouseButton::kLeft, {});
  form.MouseMove({press.x, press.y + dy}, toolkit::kLeftButton);
  form.MouseUp({press.x, press.y + dy}, toolkit::MouseButton::kLeft, {});
  const int mic = h.Form().MicrophoneFeature().Level();
  ASSERT_GT(mic, 50);
  ASSERT_LT(mic, 100);

  ChooseLanguage(h, "Values");
  EXPECT_EQ(form.Find<toolkit::Label>("MicValueLabel")->Caption(), std::to_string(mic));
  EXPECT_EQ(form.Find<toolkit::Label>("ENCValueLabel")->Caption(), std::to_string(h.Form().NoiseFeature().Level()));
  EXPECT_TRUE(Visible(h, "MicValueLabel"));
  EXPECT_FALSE(Visible(h, "ENCValueLabel"));  // its page is ENC
}

// The bundled languages place their labels apart from each other and inside
// the window on every page.
TEST(LabelPages, BundledLabelsStayApartAndInsideTheWindowOnEveryPage) {
  ProgramHarness h;
  h.Start();
  h.Form().LightingFeature().SetPageMode(1);
  toolkit::Form& form = h.Form().Form();
  const toolkit::Size client = form.ClientSize();
  for (const char* language : {"English", "Deutsch", "简体中文"}) {
    ChooseLanguage(h, language);
    for (const int tab : {23, 25, 26, 27, 226, 227, 228}) {
      h.Form().SelectPage(tab);
      std::vector<const toolkit::Control*> shown;
      for (const auto& control : form.Controls()) {
        if (control->Kind() == toolkit::ControlKind::kLabel && control->Visible()) shown.push_back(control.get());
      }
      ASSERT_GT(shown.size(), 10U);
      for (std::size_t i = 0; i < shown.size(); ++i) {
        const toolkit::Rect a = shown[i]->Bounds();
        SCOPED_TRACE(std::string(language) + " tab " + std::to_string(tab) + " " + std::string(shown[i]->Name()));
        EXPECT_GE(a.left, 0);
        EXPECT_GE(a.top, 0);
        EXPECT_LE(a.left + a.width, client.width);
        EXPECT_LE(a.top + a.height, client.height);
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
          const toolkit::Rect b = shown[j]->Bounds();
          const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                             a.top + a.height <= b.top || b.top + b.height <= a.top;
          EXPECT_TRUE(apart) << "overlaps " << shown[j]->Name();
        }
      }
    }
  }
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

}  // namespace
}  // namespace audio77
