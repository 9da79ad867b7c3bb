// The slider arithmetic at its edges: reversed bounds, empty travels and
// values far outside the range.
#include "ui/SliderMath.h"

#include <gtest/gtest.h>

#include <climits>

namespace audio77::ui {
namespace {

TEST(SliderMath, ValuesFromKnobTops) {
  struct Case {
    int top, travel_top, length, scale, expected;
  };
  const Case cases[] = {
      {20, 20, 100, 100, 100}, {70, 20, 100, 100, 50}, {120, 20, 100, 100, 0},
      {-5000, 20, 100, 100, 100},  // above the travel: the top value
      {5000, 20, 100, 30, 0},      // below: the bottom value
      {20, 20, 0, 100, 0},         // an empty travel is the bottom, no division
      {20, 20, -7, 30, 0},
      {INT_MIN, INT_MAX - 5, 100, 100, 100},  // no overflow at the ends of int
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SliderMath::ValueFromTop(c.top, c.travel_top, c.length, c.scale), c.expected)
        << c.top << " on " << c.travel_top << "+" << c.length;
  }
}

TEST(SliderMath, ClampOrdersItsBounds) {
  EXPECT_EQ(SliderMath::Clamp(50, 225, 105), 105);
  EXPECT_EQ(SliderMath::Clamp(300, 225, 105), 225);
  EXPECT_EQ(SliderMath::Clamp(150, 105, 225), 150);
}

TEST(SliderMath, EncLevelsAndLimits) {
  EXPECT_EQ(SliderMath::EncLevel(100, 100, 150), 30);
  EXPECT_EQ(SliderMath::EncLevel(250, 100, 150), 0);
  EXPECT_EQ(SliderMath::EncLevel(175, 100, 150), 15);
  EXPECT_EQ(SliderMath::EncLevel(175, 100, 0), 0);
  EXPECT_EQ(SliderMath::EncLevel(-1000000, 100, 150), 30);
  // Knob 20 high on a bar at 100 of height 160: lowest top 260 - 24, highest 110.
  EXPECT_EQ(SliderMath::EncHookTop(500, 100, 160, 20), 236);
  EXPECT_EQ(SliderMath::EncHookTop(0, 100, 160, 20), 110);
}

TEST(SliderMath, LedSpeedsAtTheEndsOfTheBar) {
  struct Case {
    int x;
    bool fast_right;
    int speed;
  };
  const Case cases[] = {{420, false, 2}, {420, true, 253}, {646, false, 255}, {646, true, 1}, {533, false, 127}};
  for (const Case& c : cases) EXPECT_EQ(SliderMath::LedSpeed(c.x, 420, 240, 14, c.fast_right), c.speed) << c.x;
  // A knob as wide as its bar never divides by zero.
  EXPECT_EQ(SliderMath::LedSpeed(420, 420, 14, 14, false), 2);
}

TEST(SliderMath, ClickTopCentresTheKnob) {
  EXPECT_EQ(SliderMath::TopFromClick(150, 20), 140);
  EXPECT_EQ(SliderMath::TopFromClick(150, 21), 140);
  EXPECT_EQ(SliderMath::TopFromClick(150, -4), 150);
}

}  // namespace
}  // namespace audio77::ui
