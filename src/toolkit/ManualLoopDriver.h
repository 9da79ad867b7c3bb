#pragma once
// Drives an event loop on a manual clock: time moves only when a test says so,
// and every timer that falls due on the way fires at its own moment, in order.

#include <cstdint>

#include "platform/ManualClock.h"
#include "toolkit/EventLoop.h"

namespace audio77::toolkit {

class ManualLoopDriver {
 public:
  ManualLoopDriver(EventLoop& loop, ManualClock& clock);

  // Moves time forward by ms, stopping at every timer tick on the way.
  void Advance(std::uint64_t ms);
  // Runs posted tasks and due timers without moving time.
  void RunPending();

 private:
  EventLoop& loop_;
  ManualClock& clock_;
};

}  // namespace audio77::toolkit
