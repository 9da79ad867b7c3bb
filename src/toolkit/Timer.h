#pragma once
// A repeating timer on the UI thread. Enabling it, or changing its interval
// while enabled, starts a fresh interval from now; an interval of 0 never fires.
// A tick that comes while the previous one is still running (a handler that lets
// pending messages run) is skipped rather than nested.

#include <cstdint>
#include <functional>
#include <string>

namespace audio77::toolkit {

class EventLoop;

class Timer {
 public:
  Timer(EventLoop& loop, std::string name, std::uint32_t interval_ms, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }
  std::uint32_t Interval() const { return interval_ms_; }
  void SetInterval(std::uint32_t ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::uint64_t DueMs() const { return due_ms_; }
  bool Armed() const { return enabled_ && interval_ms_ > 0; }
  std::uint64_t Ticks() const { return ticks_; }

  std::function<void(Timer&)> OnTimer;

  // For EventLoop only: runs one tick.
  void Fire(std::uint64_t now_ms);
  // Its handler is on the stack now.
  bool Running() const;

 private:
  void Restart();

  EventLoop& loop_;
  std::string name_;
  std::uint32_t interval_ms_;
  bool enabled_;
  std::uint64_t due_ms_ = 0;
  std::uint64_t ticks_ = 0;
  std::uint64_t id_ = 0;
};

}  // namespace audio77::toolkit
