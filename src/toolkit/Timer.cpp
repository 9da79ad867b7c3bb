#include "toolkit/Timer.h"

#include "toolkit/EventLoop.h"

namespace audio77::toolkit {

Timer::Timer(EventLoop& loop, std::string name, std::uint32_t interval_ms, bool enabled)
    : loop_(loop), name_(std::move(name)), interval_ms_(interval_ms), enabled_(enabled) {
  id_ = loop_.RegisterTimer(*this);
  Restart();
}

Timer::~Timer() { loop_.UnregisterTimer(id_); }

void Timer::SetInterval(std::uint32_t ms) {
  if (ms == interval_ms_) return;
  interval_ms_ = ms;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void Timer::Restart() {
  due_ms_ = loop_.GetClock().NowMs() + interval_ms_;
  loop_.TimerChanged();
}

void Timer::Fire(std::uint64_t now_ms) {
  if (!Armed()) return;
  // The next interval counts from this tick; a handler that disables the timer
  // or changes its interval overrides it.
  due_ms_ = now_ms + interval_ms_;
  ++ticks_;
  // A copy, so that a handler that destroys its own timer (with its form) is
  // not running inside a destroyed function object; nothing of the timer is
  // touched afterwards.
  const auto handler = OnTimer;
  if (handler) handler(*this);
}

bool Timer::Running() const { return loop_.TimerRunning(id_); }

}  // namespace audio77::toolkit
