#include "toolkit/EventLoop.h"

#include <algorithm>
#include <vector>

#include "toolkit/Timer.h"

namespace audio77::toolkit {

EventLoop::EventLoop(Clock& clock) : clock_(clock) {}

EventLoop::~EventLoop() = default;

void EventLoop::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  Wake();
}

// Called under the lock, so that once SetWakeHandler has replaced a handler
// no thread is still inside the old one (its owner may be going away).
void EventLoop::Wake() {
  std::lock_guard lock(mutex_);
  woken_.notify_all();
  if (wake_) wake_();
}

void EventLoop::ProcessPending() {
  if (pump_) pump_();
  DispatchQueued();
}

void EventLoop::DispatchQueued() {
  RunPostedTasks();
  FireDueTimers();
}

std::size_t EventLoop::RunPostedTasks() {
  // Only the tasks present now: a task that posts another does not starve timers.
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(tasks_);
  }
  const std::size_t count = batch.size();
  while (!batch.empty()) {
    auto task = std::move(batch.front());
    batch.pop_front();
    if (task) task();
  }
  return count;
}

std::size_t EventLoop::FireDueTimers() {
  const std::uint64_t now = clock_.NowMs();
  struct Due {
    std::uint64_t due;
    std::uint64_t id;
  };
  std::vector<Due> due;
  for (const auto& [id, timer] : timers_) {
    if (timer->Armed() && !timer->Running() && timer->DueMs() <= now)
      due.push_back({timer->DueMs(), id});
  }
  std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) {
    return a.due != b.due ? a.due < b.due : a.id < b.id;
  });
  std::size_t fired = 0;
  for (const Due& d : due) {
    // An earlier handler may have destroyed, stopped or restarted this timer.
    auto found = timers_.find(d.id);
    if (found == timers_.end()) continue;
    Timer& timer = *found->second;
    if (!timer.Armed() || timer.Running() || timer.DueMs() > now) continue;
    running_timers_.insert(d.id);
    timer.Fire(now);  // may destroy the timer
    running_timers_.erase(d.id);
    ++fired;
  }
  return fired;
}

std::optional<std::uint64_t> EventLoop::NextDueMs() const {
  std::optional<std::uint64_t> next;
  for (const auto& [id, timer] : timers_) {
    if (!timer->Armed()) continue;
    if (!next || timer->DueMs() < *next) next = timer->DueMs();
  }
  return next;
}

std::size_t EventLoop::PendingTasks() const {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

void EventLoop::SetWakeHandler(std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  wake_ = std::move(wake);
}

void EventLoop::SetPlatformPump(std::function<void()> pump) { pump_ = std::move(pump); }

void EventLoop::Run() {
  if (runner_) {
    runner_();
  } else {
    RunPlain();
  }
}

void EventLoop::SetRunner(std::function<void()> runner) { runner_ = std::move(runner); }

void EventLoop::RunPlain() {
  for (;;) {
    DispatchQueued();
    std::unique_lock lock(mutex_);
    if (quit_) return;
    if (!tasks_.empty()) continue;
    const auto next = NextDueMs();
    if (!next) {
      woken_.wait(lock, [this] { return quit_ || !tasks_.empty(); });
      continue;
    }
    lock.unlock();
    const std::uint64_t now = clock_.NowMs();
    if (*next > now) clock_.Sleep(static_cast<std::uint32_t>(std::min<std::uint64_t>(*next - now, UINT32_MAX)));
  }
}

void EventLoop::Quit() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  Wake();
}

bool EventLoop::QuitRequested() const {
  std::lock_guard lock(mutex_);
  return quit_;
}

std::uint64_t EventLoop::RegisterTimer(Timer& timer) {
  const std::uint64_t id = next_timer_id_++;
  timers_[id] = &timer;
  return id;
}

void EventLoop::UnregisterTimer(std::uint64_t id) {
  timers_.erase(id);
  TimerChanged();
}

void EventLoop::TimerChanged() { Wake(); }

}  // namespace audio77::toolkit
