// The LED speed sliders' arithmetic: knob places, percent, speed byte, the
// reversed scale and bars without travel.
#include "lighting/LedSpeed.h"

#include <gtest/gtest.h>

namespace audio77 {
namespace {

constexpr LedSpeedBar kBar{100, 240, 14};  // travel 226: knob left 100..326

TEST(LedSpeed, DragAndStartSpeedsAlongTheBar) {
  struct Case {
    const char* what;
    LedSpeedBar bar;
    int knob_left;
    int drag, drag_fast_right;
    int start, start_fast_right;
  };
  const Case cases[] = {
      // While dragging the left end is percent 1, so speed 2; at start-up the ends are exact.
      {"left end", kBar, 100, 2, 253, 1, 255},
      {"right end", kBar, 326, 255, 1, 255, 1},
      {"right end as drawn, 3 px further", kBar, 329, 255, 1, 255, 1},
      {"half way", kBar, 213, 127, 128, 127, 128},
      {"one pixel in", kBar, 101, 2, 253, 2, 253},
      {"bar as wide as the knob", {100, 14, 14}, 100, 2, 253, 1, 255},
      {"bar narrower than the knob", {100, 10, 14}, 120, 2, 253, 1, 255},
      {"bar of no width", {100, 0, 0}, 100, 2, 253, 1, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LedSpeed::DragSpeed(c.knob_left, c.bar, false), c.drag);
    EXPECT_EQ(LedSpeed::DragSpeed(c.knob_left, c.bar, true), c.drag_fast_right);
    EXPECT_EQ(LedSpeed::StartSpeed(c.knob_left, c.bar, false), c.start);
    EXPECT_EQ(LedSpeed::StartSpeed(c.knob_left, c.bar, true), c.start_fast_right);
  }
}

TEST(LedSpeed, PercentAndSpeedStayInTheirRanges) {
  EXPECT_EQ(LedSpeed::Percent(100, kBar), 1);  // 0 % reads as 1
  EXPECT_EQ(LedSpeed::Percent(326, kBar), 100);
  EXPECT_EQ(LedSpeed::Percent(1000, kBar), 100);  // an unconstrained left never exceeds 100
  EXPECT_EQ(LedSpeed::Percent(50, kBar), 22);     // the distance counts, either side
  EXPECT_EQ(LedSpeed::Percent(1 << 20, {0, 1 << 20, 1}), 100);
  // Fast right at 100 % is 1, never 0.
  EXPECT_EQ(LedSpeed::SpeedOfPercent(100, true), 1);
  EXPECT_EQ(LedSpeed::SpeedOfPercent(0, false), 2);
  EXPECT_EQ(LedSpeed::SpeedOfPercent(1000000, false), 255);
}

TEST(LedSpeed, KnobIsKeptOnItsBarAndDrawnThreePixelsRightExceptAtTheLeftEnd) {
  struct Case {
    int wanted, constrained, drawn;
  };
  for (const Case& c : {Case{50, 100, 100}, Case{100, 100, 100}, Case{101, 101, 104}, Case{200, 200, 203},
                        Case{326, 326, 329}, Case{900, 326, 329}}) {
    SCOPED_TRACE(c.wanted);
    const int constrained = LedSpeed::ConstrainedLeft(c.wanted, kBar);
    EXPECT_EQ(constrained, c.constrained);
    EXPECT_EQ(LedSpeed::DrawnLeft(constrained, kBar), c.drawn);
  }
  EXPECT_EQ(LedSpeed::ConstrainedLeft(300, {100, 10, 14}), 100);  // no travel: the bar's left
  EXPECT_EQ(LedSpeed::PlacedLeft(40, kBar), 100);                   // a saved place left of the bar
  EXPECT_EQ(LedSpeed::PlacedLeft(250, kBar), 250);
}

TEST(LedSpeed, StoredSpeedsAreLimitedBeforeTheyBecomeAByte) {
  struct Case {
    long long stored;
    int byte;
  };
  for (const Case& c : {Case{-5, 1}, Case{0, 1}, Case{1, 1}, Case{128, 128}, Case{255, 255}, Case{256, 255},
                        Case{513, 255}, Case{1LL << 40, 255}}) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(LedSpeed::ToByte(c.stored), c.byte);
  }
}

}  // namespace
}  // namespace audio77
