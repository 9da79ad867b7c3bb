// The LED page on the virtual device: the whole state applied, the check
// images, the swatches with the colour dialog, the speed knobs, the start of
// the effects with the colour table, forgetting and shutting down the worker,
// the skin's palette and the "LED" profile keys.
#include "lighting/LedPage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "LedPageFixture.h"

namespace audio77 {
namespace {

using Strings = std::vector<std::string>;
using Sleeps = std::vector<std::uint32_t>;
using test::Hex;

std::string Mode(int mode, int value) {
  return "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 " + Hex(static_cast<unsigned>(mode)) + " " +
         Hex(static_cast<unsigned>(value)) + " 50 0x00";
}
std::string Rgb(toolkit::Color c) {
  return Hex(toolkit::RedOf(c)) + " " + Hex(toolkit::GreenOf(c)) + " " + Hex(toolkit::BlueOf(c));
}
std::string ModeColour(int mode, toolkit::Color c) {
  return "lib DLLQK_SetRGB_SingleColor_ById 0x3A 0x01 " + Hex(static_cast<unsigned>(mode)) + " " + Rgb(c) + " 50 0x00";
}
std::string Slot(int slot, toolkit::Color c) {
  return "lib DLLQK_SetRGB_Color_ById 0x3A 0x01 " + Hex(static_cast<unsigned>(slot)) + " " + Rgb(c) + " 50 0x00";
}
int Count(const Strings& lines, const std::string& prefix) {
  int n = 0;
  for (const auto& line : lines) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}
void Await(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline);
    std::this_thread::yield();
  }
}

class LedPageTest : public test::LedPageFixture {
 protected:
  // Speeds 40, 50, 60 through the profile, as a user's last profile gives them.
  void Speeds() {
    profile_.values = {{"LEDBreatheSpeed", "40"}, {"LEDRainbowSpeed", "50"}, {"LEDMultiBreatheSpeed", "60"}};
    page().Load(profile_);
    Take();
    clock_.ClearSleeps();
  }
  test::MemoryProfile profile_;
};

TEST_F(LedPageTest, ApplyingTheStateSendsWhatItShowsAndOnlyForPageMode1) {
  Speeds();
  struct Case {
    const char* what;
    int page_mode, off, single, effect;
    Strings sent;
    int device_mode;
    LedCheck pressed;
  };
  const Case cases[] = {
      {"off", 1, 1, 1, 2, {Mode(1, 1)}, 1, LedCheck::kOff},
      {"single colour", 1, 0, 1, 0, {Mode(2, 0), ModeColour(2, 0x0000FF)}, 2, LedCheck::kSingle},
      {"breathe", 1, 0, 0, 1, {Mode(4, 40), ModeColour(4, 0x0000FF)}, 4, LedCheck::kBreathe},
      {"rainbow wins over single colour", 1, 0, 1, 2, {Mode(5, 50)}, 5, LedCheck::kRainbow},
      {"multi-breathe", 1, 0, 0, 3, {Mode(6, 60)}, 6, LedCheck::kMultiBreathe},
      {"the dialog's page mode sends nothing", 2, 0, 0, 3, {}, 6, LedCheck::kMultiBreathe},
      {"no LED page", 0, 1, 0, 0, {}, 6, LedCheck::kMultiBreathe},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    profile_.values = {{"LEDPageMode", std::to_string(c.page_mode)}, {"LEDOff", std::to_string(c.off)},
                       {"LEDSingleColor", std::to_string(c.single)}, {"LEDEffectMode", std::to_string(c.effect)}};
    view_.checks.clear();
    page().Load(profile_);
    EXPECT_EQ(Take(), c.sent);
    EXPECT_EQ(page().DeviceMode(), c.device_mode);
    if (c.page_mode != 1) {
      EXPECT_TRUE(view_.checks.empty());
      continue;
    }
    for (LedCheck check : {LedCheck::kOff, LedCheck::kSingle, LedCheck::kBreathe, LedCheck::kRainbow,
                           LedCheck::kMultiBreathe}) {
      EXPECT_EQ(view_.checks[check], check == c.pressed) << static_cast<int>(check);
    }
  }
}

TEST_F(LedPageTest, CheckImagesSendTheirModeAgainAfterApplyingTheState) {
  Speeds();
  page().LedOffCheckClick();
  EXPECT_EQ(Take(), (Strings{Mode(1, 1), Mode(1, 1)}));  // once from the state, once from the click
  EXPECT_EQ(page().Effect(), led::kNoEffect);

  page().EffectCheckClick(led::kRainbow);
  EXPECT_EQ(Take(), (Strings{Mode(5, 50), Mode(5, 50)}));
  EXPECT_EQ(page().Off(), 0);

  page().SingleCheckClick();
  EXPECT_EQ(Take(), (Strings{Mode(2, 0), ModeColour(2, 0x0000FF)}));
  EXPECT_EQ(page().DeviceMode(), 2);
  EXPECT_EQ(page().Effect(), led::kNoEffect);

  clock_.ClearSleeps();
  page().EffectCheckClick(led::kBreathe);
  EXPECT_EQ(Take(), (Strings{Mode(4, 40), ModeColour(4, 0x0000FF), Mode(4, 40)}));
  EXPECT_EQ(clock_.Sleeps(), (Sleeps{10, 10, 10}));
  EXPECT_EQ(page().Single(), 0);
}

TEST_F(LedPageTest, SwatchesTakeTheChosenColourButNotPureBlack) {
  struct Case {
    int swatch;
    std::optional<toolkit::Color> answer;
    Strings sent;
    int device_mode;
  };
  const Case cases[] = {
      {3, 0x123456, {Slot(3, 0x123456)}, 1},
      {5, 0x000000, {}, 1},       // pure black changes nothing
      {5, std::nullopt, {}, 1},   // cancelled
      {5, 0xFF000000, {}, 1},     // black once the unused top byte is dropped
      {LedSwatch::kBreathe, 0x00AA00, {ModeColour(4, 0x00AA00)}, 4},
      {LedSwatch::kSingle, 0x0000AA, {ModeColour(2, 0x0000AA)}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.swatch);
    view_.answers = {c.answer};
    const auto fills = view_.fills;
    page().SwatchMouseDown({c.swatch});
    EXPECT_EQ(Take(), c.sent);
    EXPECT_EQ(page().DeviceMode(), c.device_mode);
    EXPECT_EQ(page().SelectedSwatch(), LedSwatch{c.swatch});
    EXPECT_EQ(view_.outlines[c.swatch], std::make_pair(LedPage::kSelectedOutline, 3));
    EXPECT_EQ(view_.fills[c.swatch], c.sent.empty() ? fills.at(c.swatch) : *c.answer);
  }
  EXPECT_EQ(view_.outlines[3], std::make_pair(toolkit::kBlack, 1));
  EXPECT_EQ(page().SlotColour(3), 0x123456u);
  EXPECT_EQ(page().BreatheColour(), 0x00AA00u);
  EXPECT_EQ(page().SingleColour(), 0x0000AAu);
}

TEST_F(LedPageTest, SwatchFailuresPauseOnlyTheSingleColourIsRepeated) {
  struct Case {
    int swatch;
    const char* entry;
    int calls;
    Sleeps sleeps;
  };
  for (const Case& c : {Case{2, "DLLQK_SetRGB_Color_ById", 1, {10}},
                        Case{LedSwatch::kBreathe, "DLLQK_SetRGB_SingleColor_ById", 1, {100}},
                        Case{LedSwatch::kSingle, "DLLQK_SetRGB_SingleColor_ById", 2, {10}}}) {
    SCOPED_TRACE(c.swatch);
    ASSERT_TRUE(device().SetFault(c.entry, "5"));
    clock_.ClearSleeps();
    view_.answers = {0x010101};
    page().SwatchMouseDown({c.swatch});
    EXPECT_EQ(static_cast<int>(Take().size()), c.calls);
    EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    ASSERT_TRUE(device().SetFault(c.entry, "0"));
  }
}

TEST_F(LedPageTest, SpeedKnobsGiveTheirSpeedAndAReleaseOfTheRunningEffectResendsIt) {
  page().EffectCheckClick(led::kRainbow);
  Take();
  // Bar 420..646 for the knob's left (travel 226).
  struct Case {
    int effect, fast_right, wanted, drawn, speed;
  };
  for (const Case& c : {Case{2, 0, 300, 420, 2}, Case{2, 0, 533, 536, 127}, Case{2, 0, 900, 649, 255},
                        Case{2, 1, 900, 649, 1}, Case{1, 1, 420, 420, 253}, Case{3, 1, 533, 536, 128}}) {
    SCOPED_TRACE(c.wanted);
    page().ApplySkin(1, c.fast_right, false);
    page().SpeedKnobMoved(c.effect, c.wanted);
    EXPECT_EQ(view_.knobs[c.effect], c.drawn);
    EXPECT_EQ(page().SliderPos(c.effect), c.drawn);
    EXPECT_EQ(page().Speed(c.effect), c.speed);
  }
  EXPECT_TRUE(Take().empty());  // dragging sends nothing
  page().SpeedKnobReleased(led::kBreathe);  // not the running effect
  EXPECT_TRUE(Take().empty());
  page().SpeedKnobReleased(led::kRainbow);
  EXPECT_EQ(Take(), (Strings{Mode(5, 1), Mode(5, 1)}));
}

class LedPageStartTest : public LedPageTest {
 protected:
  // Holds the worker in its first pause until the page has finished starting.
  void HoldWorker() {
    const auto ui = std::this_thread::get_id();
    clock_.SetSleepObserver([this, ui](std::uint64_t) {
      if (std::this_thread::get_id() == ui) return;
      while (!released_.load()) std::this_thread::yield();
    });
  }
  std::atomic<bool> released_{false};
};

TEST_F(LedPageStartTest, StartSendsTheStepsAndTheTableWithSpeedsFromTheKnobs) {
  HoldWorker();
  page().EffectCheckClick(led::kMultiBreathe);
  Take();
  view_.knobs = {{1, 420}, {2, 649}, {3, 533}};
  clock_.ClearSleeps();
  page().StartLedEffects();
  released_ = true;
  ASSERT_TRUE(page().WorkerRunning());
  Strings expected{"lib DLLQK_SetRGB_Step_ById 0x3A 0x07 50 0x00"};
  for (int slot = 1; slot <= 7; ++slot) expected.push_back(Slot(slot, LedPalette::kFixed[slot - 1]));
  EXPECT_EQ(Take(), expected);
  EXPECT_FALSE(page().ColoursPending());
  EXPECT_EQ(page().Speed(1), 1);
  EXPECT_EQ(page().Speed(2), 255);
  EXPECT_EQ(page().Speed(3), 127);
  // The worker's pass after the start: the running effect only, the table is not sent twice.
  Await([&] { return page().Worker()->Passes() == 1; });
  EXPECT_EQ(Take(), Strings{Mode(6, 127)});
  page().StartLedEffects();  // the table went out: a second start does nothing
  EXPECT_TRUE(Take().empty());
}

TEST_F(LedPageStartTest, ExactlyOneSideSendsTheTableWhenTheWorkerIsFast) {
  page().StartLedEffects();
  Await([&] { return page().Worker()->Passes() == 1; });
  EXPECT_EQ(Count(Take(), "lib DLLQK_SetRGB_Color_ById"), 7);
}

TEST_F(LedPageStartTest, NoWorkerWithoutPageMode1AndWakingNoneDoesNothing) {
  page().ApplySkin(0, 0, false);
  page().StartLedEffects();
  page().WakeLedThread();
  EXPECT_FALSE(page().WorkerRunning());
  EXPECT_TRUE(page().ColoursPending());
  page().ShutdownLedEffects();  // the worker never ran: no mode 1 at shutdown
  EXPECT_TRUE(Take().empty());
}

TEST_F(LedPageStartTest, ForgettingStopsTheWorkerAndTheNextStartSendsTheTableAgain) {
  page().StartLedEffects();
  Await([&] { return page().Worker()->Passes() == 1; });
  page().ForgetLedEffects();
  EXPECT_FALSE(page().WorkerRunning());
  page().WakeLedThread();
  page().ShutdownLedEffects();  // forgotten: shutdown sends nothing
  Take();
  page().StartLedEffects();
  ASSERT_TRUE(page().WorkerRunning());
  Await([&] { return page().Worker()->Passes() == 1; });
  EXPECT_EQ(Count(Take(), "lib DLLQK_SetRGB_Color_ById"), 7);

  page().ShutdownLedEffects();
  EXPECT_FALSE(page().WorkerRunning());
  EXPECT_EQ(Take(), Strings{Mode(1, 1)});
  EXPECT_EQ(Master().mode, 1);
}

TEST_F(LedPageTest, OnlyTheFirstSkinLoadSetsTheFixedColours) {
  view_.answers = {0x445566, 0x778899};
  page().SwatchMouseDown({2});
  page().SwatchMouseDown({LedSwatch::kSingle});
  view_.fills.clear();
  page().ApplySkin(1, 0, false);  // a skin change
  EXPECT_EQ(view_.fills[2], 0x445566u);
  EXPECT_EQ(view_.fills[LedSwatch::kSingle], 0x778899u);
  EXPECT_EQ(view_.fills[1], 0x0000FFu);
  EXPECT_EQ(view_.fills.size(), 9u);
  page().ApplySkin(1, 0, true);
  EXPECT_EQ(view_.fills[2], 0xFFFF00u);
  EXPECT_EQ(page().SingleColour(), 0x0000FFu);
}

TEST_F(LedPageTest, ProfileKeysRoundTripInTheirOrder) {
  view_.answers = {0x010203, 0x040506, 0x070809};
  page().SwatchMouseDown({7});
  page().SwatchMouseDown({LedSwatch::kSingle});
  page().SwatchMouseDown({LedSwatch::kBreathe});
  page().ApplySkin(1, 1, false);
  page().EffectCheckClick(led::kMultiBreathe);
  page().SpeedKnobMoved(3, 533);
  page().SpeedKnobMoved(1, 600);
  test::MemoryProfile saved;
  page().Save(saved);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"LED/LEDPageMode", "1"}, {"LED/LEDOff", "0"}, {"LED/LEDSingleColor", "0"}, {"LED/LEDEffectMode", "3"},
      {"LED/LEDBreatheSpeed", "54"}, {"LED/LEDRainbowSpeed", "1"}, {"LED/LEDMultiBreatheSpeed", "128"},
      {"LED/LEDBreatheSliderPos", "603"}, {"LED/LEDRainbowSliderPos", "0"}, {"LED/LEDMultiBreatheSliderPos", "536"},
      {"LED/LEDSingleColorRGB", "263430"}, {"LED/LEDBreatheColorRGB", "460809"},
      {"LED/LEDColor1RGB", "255"}, {"LED/LEDColor2RGB", "16776960"}, {"LED/LEDColor3RGB", "65535"},
      {"LED/LEDColor4RGB", "16777215"}, {"LED/LEDColor5RGB", "65280"}, {"LED/LEDColor6RGB", "16711680"},
      {"LED/LEDColor7RGB", "66051"}, {"LED/LEDFastRightSide", "1"}};
  EXPECT_EQ(saved.written, expected);

  // Another page reads it back to the same keys.
  test::RecordingLedView other_view;
  LedPage other(library_, status_, clock_, debug_, other_view);
  other.ApplySkin(0, 0, true);
  other.Load(saved);
  test::MemoryProfile again;
  other.Save(again);
  EXPECT_EQ(again.written, expected);
  EXPECT_EQ(other_view.fills[7], 0x010203u);
}

TEST_F(LedPageTest, BadProfileValuesKeepTheCurrentStateOrAreLimited) {
  profile_.values = {{"LEDPageMode", "one"},       {"LEDEffectMode", "7"},         {"LEDBreatheSpeed", "9999"},
                     {"LEDRainbowSpeed", "-4"},    {"LEDMultiBreatheSpeed", "0"},  {"LEDColor1RGB", "16777216"},
                     {"LEDColor2RGB", "-1"},       {"LEDColor3RGB", "0x00FF00"},   {"LEDSingleColorRGB", "12abc"},
                     {"LEDOff", ""},               {"LEDBreatheSliderPos", "-50"}};
  page().Load(profile_);
  EXPECT_EQ(page().PageMode(), 1);
  EXPECT_EQ(page().Effect(), led::kNoEffect);
  EXPECT_EQ(page().Speed(1), 255);
  EXPECT_EQ(page().Speed(2), 1);
  EXPECT_EQ(page().Speed(3), 1);
  EXPECT_EQ(page().SlotColour(1), 0x0000FFu);
  EXPECT_EQ(page().SlotColour(2), 0xFFFF00u);
  EXPECT_EQ(page().SlotColour(3), 0x00FF00u);
  EXPECT_EQ(page().SingleColour(), 0x0000FFu);
  EXPECT_EQ(view_.knobs[1], 420);  // a saved place left of the bar is put on the bar
  EXPECT_TRUE(debug_.Contains("LED profile key LEDPageMode ignored: 'one' is not a number"));
  EXPECT_TRUE(debug_.Contains("LED profile key LEDColor1RGB ignored: 16777216 is not a colour"));
  EXPECT_TRUE(debug_.Contains("LED profile key LEDSingleColorRGB ignored: '12abc' is not a number"));
}

TEST_F(LedPageStartTest, ALoadWakesTheWorkerOnlyWithTheDeviceActive) {
  page().StartLedEffects();
  Await([&] { return page().Worker()->Passes() == 1; });
  for (bool active : {false, true}) {
    SCOPED_TRACE(active);
    status_.active = active;
    page().Load(profile_);
    if (active) Await([&] { return page().Worker()->Passes() == 2; });
    EXPECT_EQ(page().Worker()->Passes(), active ? 2u : 1u);
  }
}

}  // namespace
}  // namespace audio77
