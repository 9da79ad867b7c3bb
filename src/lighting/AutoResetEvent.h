#pragma once
// An event that a worker waits on and other threads set. A wait consumes the
// signal (auto-reset), so sets that come before the wait count once. Closing
// it releases the waiter for good: the worker's way out.

#include <condition_variable>
#include <mutex>

namespace audio77 {

class AutoResetEvent {
 public:
  void Set();
  // Forgets a signal that has not been waited for.
  void Reset();
  // Blocks without a time-out until the event is set (true, signal consumed)
  // or closed (false).
  bool Wait();
  // Every wait from now on returns false at once.
  void Close();
  bool Signalled() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_ = false;
  bool closed_ = false;
};

}  // namespace audio77
