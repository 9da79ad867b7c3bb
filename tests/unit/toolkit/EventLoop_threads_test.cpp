#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/ManualClock.h"
#include "toolkit/EventLoop.h"

namespace audio77::toolkit {
namespace {

// Device reports arrive on threads of their own and are posted to the UI thread.
TEST(EventLoopThreads, PostFromManyThreadsWhileTheUiThreadRuns) {
  ManualClock clock;
  EventLoop loop(clock);
  std::atomic<int> wakes{0};
  loop.SetWakeHandler([&] { wakes.fetch_add(1, std::memory_order_relaxed); });
  constexpr int kThreads = 4;
  constexpr int kPosts = 500;
  int ran = 0;  // touched only by the UI thread (this one)
  std::vector<int> last_seen(kThreads, -1);
  bool in_order = true;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kPosts; ++i) {
        loop.Post([&, t, i] {
          ++ran;
          if (last_seen[t] + 1 != i) in_order = false;
          last_seen[t] = i;
        });
      }
    });
  }
  while (ran < kThreads * kPosts) loop.ProcessPending();
  for (auto& thread : threads) thread.join();
  loop.ProcessPending();
  EXPECT_EQ(ran, kThreads * kPosts);
  EXPECT_TRUE(in_order) << "each thread's posts run in its order";
  EXPECT_EQ(wakes.load(), kThreads * kPosts);
}

// The program's loop without a presentation waits for work from other
// threads (no polling) and ends when another thread asks it to.
TEST(EventLoopThreads, PlainRunWaitsForPostedWorkAndEndsOnQuit) {
  ManualClock clock;
  EventLoop loop(clock);
  std::atomic<int> ran{0};
  std::thread quitter;
  std::thread other([&] {
    for (int i = 0; i < 100; ++i) loop.Post([&] { ran.fetch_add(1); });
    loop.Post([&] { quitter = std::thread([&] { loop.Quit(); }); });
  });
  loop.Run();
  other.join();
  quitter.join();
  EXPECT_EQ(ran.load(), 100);
  EXPECT_EQ(clock.TotalSleptMs(), 0u) << "no timer, so no waiting on the clock";

  bool ran_after_quit = false;
  loop.Post([&] { ran_after_quit = true; });
  loop.Run();  // a quit asked for earlier ends the next run at once
  EXPECT_TRUE(ran_after_quit) << "work posted before the run still runs";
}

}  // namespace
}  // namespace audio77::toolkit
