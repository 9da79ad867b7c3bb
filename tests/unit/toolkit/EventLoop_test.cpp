#include "toolkit/EventLoop.h"

#include <string>
#include <vector>

#include "ToolkitFixture.h"

namespace audio77::toolkit::test {
namespace {

class EventLoopTest : public ToolkitTest {
 protected:
  std::vector<std::string> log;
  void Log(Timer& timer) {
    log.push_back(timer.Name() + "@" + std::to_string(clock.NowMs() - 1000));
  }
};

TEST_F(EventLoopTest, TimersFireAtTheirOwnTimesInOrder) {
  Timer animation(loop, "Timer", 20, true);
  Timer bee(loop, "BeeTimer", 10, true);
  Timer search(loop, "Timer1", 50, false);
  for (Timer* t : {&animation, &bee, &search}) t->OnTimer = [this](Timer& timer) { Log(timer); };
  driver.Advance(45);
  EXPECT_EQ(log, (std::vector<std::string>{"BeeTimer@10", "Timer@20", "BeeTimer@20", "BeeTimer@30",
                                           "Timer@40", "BeeTimer@40"}));
  EXPECT_EQ(clock.NowMs(), 1045u);
  EXPECT_EQ(search.Ticks(), 0u);
}

TEST_F(EventLoopTest, EnablingOrChangingIntervalStartsAFreshInterval) {
  Timer timer(loop, "Timer1", 2000, false);
  timer.OnTimer = [this](Timer& t) { Log(t); };
  driver.Advance(500);
  timer.SetEnabled(true);
  driver.Advance(1900);
  EXPECT_TRUE(log.empty());
  driver.Advance(100);
  EXPECT_EQ(log, (std::vector<std::string>{"Timer1@2500"}));
  timer.SetInterval(100);
  driver.Advance(100);
  timer.SetInterval(0);  // never fires
  driver.Advance(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"Timer1@2500", "Timer1@2600"}));
}

TEST_F(EventLoopTest, HandlersMayStopOrDestroyOtherTimers) {
  auto victim = std::make_unique<Timer>(loop, "Victim", 10, true);
  Timer killer(loop, "Killer", 10, true);
  Timer stopper(loop, "Stopper", 10, true);
  // Killer was created after Victim, so Victim fires first in the first round.
  victim->OnTimer = [this](Timer& t) { Log(t); };
  killer.OnTimer = [&](Timer& t) {
    Log(t);
    victim.reset();
  };
  stopper.OnTimer = [&](Timer& t) {
    Log(t);
    t.SetEnabled(false);
  };
  driver.Advance(30);
  EXPECT_EQ(log, (std::vector<std::string>{"Victim@10", "Killer@10", "Stopper@10", "Killer@20",
                                           "Killer@30"}));
}

TEST_F(EventLoopTest, AHandlerMayDestroyItsOwnTimer) {
  auto timer = std::make_unique<Timer>(loop, "Once", 10, true);
  int ticks = 0;
  timer->OnTimer = [&](Timer&) {
    ++ticks;
    timer.reset();  // as a form closing and going away from its own tick
  };
  driver.Advance(50);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(loop.NextDueMs(), std::nullopt);
}

// A handler that lets pending messages run must not run itself again.
TEST_F(EventLoopTest, ATickIsNotNestedInsideItself) {
  Timer timer(loop, "Timer", 10, true);
  int depth = 0;
  int max_depth = 0;
  timer.OnTimer = [&](Timer&) {
    ++depth;
    max_depth = std::max(max_depth, depth);
    clock.Advance(25);  // a long device sequence
    loop.ProcessPending();
    --depth;
  };
  driver.Advance(100);
  EXPECT_EQ(max_depth, 1);
  EXPECT_GE(timer.Ticks(), 2u);
}

TEST_F(EventLoopTest, PostedTasksRunInOrderAndTasksPostedMeanwhileWaitForTheNextRound) {
  std::vector<int> ran;
  loop.Post([&] {
    ran.push_back(1);
    loop.Post([&] { ran.push_back(3); });
  });
  loop.Post([&] { ran.push_back(2); });
  EXPECT_EQ(loop.PendingTasks(), 2u);
  loop.ProcessPending();
  EXPECT_EQ(ran, (std::vector<int>{1, 2}));
  loop.ProcessPending();
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST_F(EventLoopTest, WakeHandlerHearsPostsAndTimerChanges) {
  int wakes = 0;
  loop.SetWakeHandler([&] { ++wakes; });
  loop.Post([] {});
  Timer timer(loop, "T", 10, false);
  timer.SetEnabled(true);
  EXPECT_EQ(wakes, 3);
  EXPECT_EQ(loop.NextDueMs(), std::optional<std::uint64_t>(1010));
  loop.SetWakeHandler(nullptr);
}

TEST_F(EventLoopTest, QuitIsRemembered) {
  EXPECT_FALSE(loop.QuitRequested());
  app.Terminate();
  EXPECT_TRUE(loop.QuitRequested());
}

}  // namespace
}  // namespace audio77::toolkit::test
