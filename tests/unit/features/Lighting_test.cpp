// Lighting alone on the virtual device: the LED button's GPIO line and the
// read-back at activation, each as one transaction that ends with its closing
// report; the skin's part of the LED page, the LED tab, and the "LED" keys of
// a profile (the workers' part is in Lighting_threads_test).
#include "lighting/Lighting.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FeatureFixture.h"
#include "lighting/ULEDForm.h"
#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"
#include "toolkit/Application.h"
#include "sim/core/VirtualDevice.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using Strings = std::vector<std::string>;

// The output reports of the trace, each as its first five bytes in hex.
Strings Reports(const Strings& trace) {
  Strings out;
  for (const auto& line : trace) {
    if (line.rfind("hid out ", 0) == 0) out.push_back(line.substr(8, 10));
  }
  return out;
}

constexpr const char* kClosing = "0000000000";

TEST(Lighting, TheLedButtonDrivesGpio0WhileHeldAndShowsItsState) {
  FeatureFixture<Lighting> f;
  ASSERT_EQ(f.feature->ButtonState(), 1);
  EXPECT_TRUE(f.feature->PressLedButton().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"006001ff3c", kClosing}));
  EXPECT_EQ(f.feature->ButtonState(), 0);
  EXPECT_EQ(f.view.switches[Lighting::kLedButtonTag], 0);
  EXPECT_TRUE(f.feature->ReleaseLedButton().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"006000ff3c", kClosing}));
  EXPECT_EQ(f.feature->ButtonState(), 1);
  ui::SkinViewState view;
  f.feature->Describe(view);
  EXPECT_TRUE(view.led_on);
}

TEST(Lighting, ActivationReadsTheLinesOrDrivesThemLowWhileTheButtonIsUp) {
  FeatureFixture<Lighting> f;
  EXPECT_TRUE(f.feature->GpioAtActivation().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"0060000030", kClosing}));
  EXPECT_TRUE(f.feature->PressLedButton().Ok());
  f.TakeTrace();
  EXPECT_TRUE(f.feature->GpioAtActivation().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"006000ff3c", kClosing}));
}

TEST(Lighting, AFailedLineIsReportedAndTheTransactionStillCloses) {
  FeatureFixture<Lighting> f;
  ASSERT_TRUE(sim::VirtualDevice::Instance().SetFault("hid.out", "1"));
  EXPECT_EQ(f.feature->PressLedButton().Step(), 2);
  const Strings trace = f.TakeTrace();
  EXPECT_EQ(Reports(trace).back(), kClosing) << Joined(trace);
  f.Session().SetIds(0x1234, 0x5678);
  EXPECT_EQ(f.feature->ReleaseLedButton().Step(), 1) << "no interface for other IDs";
}

TEST(Lighting, OnlyTheFirstSkinSetsTheFixedColoursAndEverySkinDrawsThePage) {
  FeatureFixture<Lighting> f;
  Lighting& lighting = *f.feature;
  test::RecordingLedView& view = f.led_view;
  lighting.SkinLoaded(1, 0);
  EXPECT_TRUE(lighting.PageEnabled());
  EXPECT_EQ(view.fills[3], 0x00FFFFu);
  // The user picks a colour for slot 3 and for the single colour.
  view.answers = {toolkit::Color{0x123456}, toolkit::Color{0x00FF80}};
  lighting.SwatchMouseDown(3);
  lighting.SwatchMouseDown(LedSwatch::kSingle);
  f.Take();
  view.knobs = {{1, 0}, {2, 0}, {3, 0}};
  view.fills.clear();
  view.bars_shown.clear();

  // A change of skin (another page mode and fast-right) keeps them and fills the swatches with them.
  lighting.SkinLoaded(2, 1);
  EXPECT_FALSE(lighting.PageEnabled());
  EXPECT_EQ(lighting.Page().FastRight(), 1);
  EXPECT_EQ(lighting.Page().SlotColour(3), 0x123456u);
  EXPECT_EQ(view.fills[3], 0x123456u);
  EXPECT_EQ(view.fills[LedSwatch::kSingle], 0x00FF80u);
  EXPECT_EQ(view.fills[1], LedPalette::kFixed[0]);
  // Bars and knobs show again: every bar its picture, every knob back on its bar.
  EXPECT_EQ(view.bars_shown, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));
  for (int effect = 1; effect <= 3; ++effect) EXPECT_EQ(view.knobs[effect], view.bars[effect].left) << effect;
  EXPECT_TRUE(f.Take().empty()) << "a skin sends nothing";
}

TEST(Lighting, TheLedTabAppliesThePageOrOpensTheDialog) {
  struct Case {
    int page_mode;
    bool label;
    Lighting::TabResult expected;
  };
  const Case cases[] = {
      {1, false, Lighting::TabResult::kPageApplied}, {1, true, Lighting::TabResult::kPageApplied},
      {0, false, Lighting::TabResult::kNothing},     {0, true, Lighting::TabResult::kOpenDialog},
      {2, false, Lighting::TabResult::kOpenDialog},  {2, true, Lighting::TabResult::kOpenDialog},
  };
  FeatureFixture<Lighting> f;
  toolkit::EventLoop loop(f.Clock());
  toolkit::Application app(loop);
  TLEDForm dialog(app);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "page mode " << c.page_mode << (c.label ? " label" : " image"));
    f.feature->SkinLoaded(c.page_mode, 0);
    f.feature->AttachDialog(nullptr);
    const auto without = f.feature->LedTabClick(c.label);
    EXPECT_EQ(without, c.expected == Lighting::TabResult::kOpenDialog ? Lighting::TabResult::kNothing : c.expected);
    f.feature->AttachDialog(&dialog);
    EXPECT_EQ(f.feature->LedTabClick(c.label), c.expected);
  }
  f.feature->AttachDialog(nullptr);
}

TEST(Lighting, EveryLedKeyRoundTripsInTheProfilesOrder) {
  FeatureFixture<Lighting> f;
  f.feature->SkinLoaded(1, 0);
  InProcessFileGuard guard;
  PrivateProfile profiles{guard};
  test::TempDir dir;
  const std::string loaded =
      "[LED]\nLEDON=0\nLEDPageMode=1\nLEDOff=0\nLEDSingleColor=0\nLEDEffectMode=2\nLEDBreatheSpeed=10\n"
      "LEDRainbowSpeed=20\nLEDMultiBreatheSpeed=30\nLEDBreatheSliderPos=430\nLEDRainbowSliderPos=440\n"
      "LEDMultiBreatheSliderPos=450\nLEDSingleColorRGB=255\nLEDBreatheColorRGB=65280\nLEDColor1RGB=1\n"
      "LEDColor2RGB=2\nLEDColor3RGB=3\nLEDColor4RGB=4\nLEDColor5RGB=5\nLEDColor6RGB=6\nLEDColor7RGB=7\n"
      "LEDFastRightSide=1\n";
  {
    ProfileFileReader reader(profiles, dir.Write("in.ini", loaded));
    f.feature->Load(reader);
  }
  // The rainbow runs at the profile's speed; its knob stands where the profile put it.
  const auto traffic = f.Take();
  EXPECT_NE(std::find(traffic.begin(), traffic.end(), "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x05 0x14 50 0x00"),
            traffic.end())
      << Joined(traffic);
  EXPECT_EQ(f.led_view.knobs[2], 440);
  EXPECT_EQ(f.led_view.fills[7], 7u);
  ProfileFileWriter writer(profiles, dir.File("out.ini"));
  f.feature->Save(writer);
  ASSERT_EQ(writer.Commit(), std::nullopt);
  std::string expected = loaded;
  for (std::size_t at = expected.find('\n'); at != std::string::npos; at = expected.find('\n', at + 2)) {
    expected.replace(at, 1, "\r\n");
  }
  EXPECT_EQ(dir.Read("out.ini"), expected);
}

TEST(Lighting, BadLedKeysFallBackAndSayWhy) {
  struct Case {
    const char* line;
    int effect;
    int breathe_speed;
    toolkit::Color slot1;
    const char* debug;
  };
  const Case cases[] = {
      {"LEDEffectMode=7", 0, 1, 0x0000FF, nullptr},
      {"LEDEffectMode=-1", 0, 1, 0x0000FF, nullptr},
      {"LEDBreatheSpeed=300", 0, 255, 0x0000FF, nullptr},
      {"LEDBreatheSpeed=-4", 0, 1, 0x0000FF, nullptr},
      {"LEDBreatheSpeed=fast", 0, 1, 0x0000FF, "LEDBreatheSpeed ignored"},
      {"LEDColor1RGB=16777216", 0, 1, 0x0000FF, "LEDColor1RGB ignored"},
      {"LEDColor1RGB=-1", 0, 1, 0x0000FF, "LEDColor1RGB ignored"},
      {"LEDColor1RGB=16777215", 0, 1, 0xFFFFFF, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    FeatureFixture<Lighting> f;
    f.feature->SkinLoaded(1, 0);
    InProcessFileGuard guard;
    PrivateProfile profiles{guard};
    test::TempDir dir;
    ProfileFileReader reader(profiles, dir.Write("in.ini", std::string("[LED]\n") + c.line + "\n"));
    f.feature->Load(reader);
    EXPECT_EQ(f.feature->Page().Effect(), c.effect);
    EXPECT_EQ(f.feature->Speed(1), c.breathe_speed);
    EXPECT_EQ(f.feature->Page().SlotColour(1), c.slot1);
    if (c.debug != nullptr) {
      EXPECT_NE(f.Debug().Text().find(c.debug), std::string::npos) << f.Debug().Text();
    }
  }
}

}  // namespace
}  // namespace audio77
