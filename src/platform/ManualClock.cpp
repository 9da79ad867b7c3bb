#include "platform/ManualClock.h"

#include <numeric>

namespace audio77 {

ManualClock::ManualClock(std::uint64_t start_ms) : now_ms_(start_ms) {}

std::uint64_t ManualClock::NowMs() const {
  std::lock_guard lock(mutex_);
  return now_ms_;
}

void ManualClock::Sleep(std::uint32_t ms) {
  std::function<void(std::uint64_t)> observer;
  std::uint64_t now = 0;
  {
    std::lock_guard lock(mutex_);
    now_ms_ += ms;
    sleeps_.push_back(ms);
    observer = observer_;
    now = now_ms_;
  }
  if (observer) observer(now);
}

void ManualClock::Advance(std::uint64_t ms) {
  std::lock_guard lock(mutex_);
  now_ms_ += ms;
}

std::vector<std::uint32_t> ManualClock::Sleeps() const {
  std::lock_guard lock(mutex_);
  return sleeps_;
}

std::uint64_t ManualClock::TotalSleptMs() const {
  std::lock_guard lock(mutex_);
  return std::accumulate(sleeps_.begin(), sleeps_.end(), std::uint64_t{0});
}

void ManualClock::ClearSleeps() {
  std::lock_guard lock(mutex_);
  sleeps_.clear();
}

void ManualClock::SetSleepObserver(std::function<void(std::uint64_t)> observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}

}  // namespace audio77
