#include "platform/ManualClock.h"

#include <gtest/gtest.h>

namespace audio77 {
namespace {

TEST(ManualClock, SleepsAdvanceTimeAndAreRecorded) {
  ManualClock clock(1000);
  clock.Sleep(300);
  clock.Advance(5);
  clock.Sleep(10);
  EXPECT_EQ(clock.NowMs(), 1315u);
  EXPECT_EQ(clock.Sleeps(), (std::vector<std::uint32_t>{300, 10}));
  EXPECT_EQ(clock.TotalSleptMs(), 310u);
  clock.ClearSleeps();
  EXPECT_TRUE(clock.Sleeps().empty());
}

// A test changes the world while the code under test waits.
TEST(ManualClock, ObserverSeesEachSleep) {
  ManualClock clock;
  int polls = 0;
  clock.SetSleepObserver([&](std::uint64_t now) {
    ++polls;
    EXPECT_EQ(now, static_cast<std::uint64_t>(polls) * 300);
  });
  for (int i = 0; i < 3; ++i) clock.Sleep(300);
  EXPECT_EQ(polls, 3);
}

}  // namespace
}  // namespace audio77
