#pragma once
// A clock for tests: time moves only when a test advances it or when code
// sleeps. Every sleep is recorded, so a test can assert the pauses that a
// sequence makes without waiting for them. Thread-safe.

#include <functional>
#include <mutex>
#include <vector>

#include "platform/Clock.h"

namespace audio77 {

class ManualClock final : public Clock {
 public:
  explicit ManualClock(std::uint64_t start_ms = 0);

  std::uint64_t NowMs() const override;
  // Advances time by ms, records the sleep and then calls the sleep observer.
  void Sleep(std::uint32_t ms) override;

  // Moves time forward without recording a sleep.
  void Advance(std::uint64_t ms);
  std::vector<std::uint32_t> Sleeps() const;
  std::uint64_t TotalSleptMs() const;
  void ClearSleeps();
  // Called after every Sleep with the new time, so a test can change the world
  // while the code under test "waits" (a service that starts after two polls).
  void SetSleepObserver(std::function<void(std::uint64_t now_ms)> observer);

 private:
  mutable std::mutex mutex_;
  std::uint64_t now_ms_;
  std::vector<std::uint32_t> sleeps_;
  std::function<void(std::uint64_t)> observer_;
};

}  // namespace audio77
