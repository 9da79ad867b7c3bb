// The microphone page's numbers: volume steps to percent, the slider, the
// level bar, and what each monitor mode does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "features/LevelBar.h"
#include "features/MicLevelSteps.h"
#include "features/MonitorModeTable.h"

namespace audio77 {
namespace {

TEST(MicLevelSteps, StepsToPercentNeverDivideByZero) {
  struct Case {
    std::uint32_t step, count;
    int percent;
  };
  const Case cases[] = {{50, 101, 50}, {100, 101, 100}, {0, 101, 0}, {7, 16, 46},
                        {3, 1, 0},     {0, 0, 0},       {1, 2, 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.step) + "/" + std::to_string(c.count));
    EXPECT_EQ(MicLevelSteps::PercentFromSteps(c.step, c.count), c.percent);
  }
}

TEST(MicLevelSteps, KnobAndPercentFollowEachOther) {
  const int top = 105, travel = 120;
  EXPECT_EQ(MicLevelSteps::PercentFromKnob(top, travel, top), 100);
  EXPECT_EQ(MicLevelSteps::PercentFromKnob(top, travel, top + travel), 0);
  for (int percent = 0; percent <= 100; percent += 25) {
    SCOPED_TRACE(percent);
    EXPECT_EQ(MicLevelSteps::PercentFromKnob(top, travel, MicLevelSteps::KnobTop(top, travel, percent)), percent);
  }
  EXPECT_EQ(MicLevelSteps::KnobTop(top, travel, 50), 165);
  EXPECT_EQ(MicLevelSteps::FillHeight(165, 10, 105), 70);
  EXPECT_EQ(MicLevelSteps::PercentFromKnob(top, 0, top), 0);  // a skin without travel
}

TEST(LevelBar, BuffersBecomeWidthsInFourPixelStepsFromTen) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> samples;
    int maximum, current;
    int level, width;
  };
  const std::vector<std::uint8_t> silent(400, 128);
  std::vector<std::uint8_t> loud(400);  // mean deviation 64
  for (std::size_t i = 0; i < loud.size(); ++i) loud[i] = i % 2 ? 192 : 64;
  std::vector<std::uint8_t> quiet(400, 129);  // mean deviation 1
  std::vector<std::uint8_t> full(400);
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = i % 2 ? 255 : 0;  // mean 127 (truncated)
  const Case cases[] = {
      {"silence", silent, 200, 37, 0, 0},
      {"mean 64 on 200", loud, 200, 0, 200, 198},
      {"mean 1 on 200: the first step", quiet, 200, 0, 3, 18},
      {"mean 1 on 64: level 1 shows 10", quiet, 64, 0, 1, 10},
      {"full swing capped at the maximum", full, 101, 0, 200, 98},
      {"a bar narrower than 10 keeps its width", loud, 8, 5, 8, 5},
      {"no bar at all", loud, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const int level = LevelBar::Level(c.samples, c.maximum);
    EXPECT_EQ(level, c.level);
    EXPECT_EQ(LevelBar::Width(level, c.maximum, c.current), c.width);
  }
  EXPECT_EQ(LevelBar::Level({}, 200), 0);
}

TEST(MonitorModeTable, EachModeAndValue) {
  using W = MonitorRegisterWrite;
  const std::vector<W> on{{0x200, 0x04}, {0x230, 0x20}};
  const std::vector<W> off{{0x200, 0x04}, {0x230, 0x00}};
  struct Case {
    int mode;
    bool value;
    MonitorPlan plan;
  };
  const Case cases[] = {
      {2, true, {true, {}, std::nullopt}},    {2, false, {false, {}, std::nullopt}},
      {1, true, {std::nullopt, on, true}},    {1, false, {std::nullopt, {}, false}},
      {3, true, {std::nullopt, on, true}},    {3, false, {std::nullopt, off, false}},
      {0, true, {std::nullopt, on, true}},    {0, false, {std::nullopt, off, std::nullopt}},
      {7, false, {std::nullopt, off, std::nullopt}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.value ? " on" : " off"));
    EXPECT_EQ(MonitorModeTable::Plan(c.mode, c.value), c.plan);
  }
}

}  // namespace
}  // namespace audio77
