#pragma once
// The UI thread's queue: work posted from any thread, the timers, and the
// platform's own input. Everything the window does runs from here, one piece at
// a time. The Qt presentation drives it from Qt's loop and runs it (Run); tests
// drive it with a manual clock (ManualLoopDriver), so timers fire in a fixed
// order. It is the program's only loop.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>

#include "platform/Clock.h"

namespace audio77::toolkit {

class Timer;

class EventLoop {
 public:
  explicit EventLoop(Clock& clock);
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  Clock& GetClock() const { return clock_; }

  // Safe from any thread: the task runs later on the UI thread, in posting order.
  void Post(std::function<void()> task);
  // "Let pending messages run": the platform's pending input, the tasks posted
  // so far and the timers that are due. Handlers may call it again (nested).
  void ProcessPending();
  // Posted tasks and due timers only: what the platform's own loop calls when
  // it wakes up for us (its input it has already delivered).
  void DispatchQueued();
  // Runs the timers whose time has come, each at most once, earliest first
  // (ties in the order the timers were created). Returns how many ran.
  std::size_t FireDueTimers();

  // When the next enabled timer is due, if any.
  std::optional<std::uint64_t> NextDueMs() const;
  std::size_t PendingTasks() const;

  // Called (from any thread) whenever work arrives or a timer changes, so the
  // presentation can wake its own loop. The handler must not block and must
  // not call back into the loop.
  void SetWakeHandler(std::function<void()> wake);
  // Runs the platform's pending input as part of ProcessPending.
  void SetPlatformPump(std::function<void()> pump);

  // Runs the program's loop until Quit was asked for (returns at once when it
  // already was): the presentation's own loop when it installed one
  // (SetRunner), otherwise a plain loop here that runs posted work and timers
  // and waits for more. The plain loop waits for the next timer with the
  // clock's Sleep (on a manual clock time just moves on), so work posted
  // during that wait runs when the timer is due.
  void Run();
  // The presentation's loop: must return once QuitRequested() (the wake
  // handler is called on Quit). Nothing: the plain loop.
  void SetRunner(std::function<void()> runner);

  // Asks the program's loop to end (the main form was closed). Safe from any thread.
  void Quit();
  bool QuitRequested() const;

  // For Timer only.
  std::uint64_t RegisterTimer(Timer& timer);
  void UnregisterTimer(std::uint64_t id);
  void TimerChanged();
  bool TimerRunning(std::uint64_t id) const { return running_timers_.contains(id); }

 private:
  std::size_t RunPostedTasks();
  void Wake();
  void RunPlain();

  Clock& clock_;
  mutable std::mutex mutex_;  // guards tasks_, wake_, quit_
  std::condition_variable woken_;  // the plain loop waits here for work or Quit
  std::deque<std::function<void()>> tasks_;
  std::function<void()> wake_;
  bool quit_ = false;
  std::function<void()> pump_;
  std::function<void()> runner_;
  std::map<std::uint64_t, Timer*> timers_;  // UI thread only; ids grow with creation
  std::uint64_t next_timer_id_ = 1;
  std::set<std::uint64_t> running_timers_;
};

}  // namespace audio77::toolkit
