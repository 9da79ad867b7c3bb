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

}  // namespace
}  // namespace audio77::toolkit
