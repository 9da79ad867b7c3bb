#pragma once
// The LED page's effect worker: each wake-up, after 100 ms, sends the colour
// table when it is pending and then the running effect's mode and speed again.
// It waits without a time-out, so it costs nothing while nobody wakes it. The
// thread starts with the object and is stopped and joined when it goes.

#include <atomic>
#include <cstdint>
#include <thread>

#include "lighting/AutoResetEvent.h"
#include "lighting/LedCommands.h"
#include "lighting/LedEffectState.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

namespace audio77 {

class LedEffectWorker {
 public:
  static constexpr std::uint32_t kWakePauseMs = 100;
  static constexpr std::uint32_t kSlotPauseMs = 10;

  LedEffectWorker(LedCommands& commands, LedEffectState& state, Clock& clock, DebugOutput& debug);
  ~LedEffectWorker();
  LedEffectWorker(const LedEffectWorker&) = delete;
  LedEffectWorker& operator=(const LedEffectWorker&) = delete;

  // Releases one pass (wakes before the pass starts count once).
  void Wake() { event_.Set(); }
  // Passes finished so far: the worker's wake-ups.
  std::uint64_t Passes() const { return passes_.load(); }
  // A wake is waiting to release the next pass.
  bool WakePending() const { return event_.Signalled(); }

 private:
  void Loop();
  void Pass();
  void SendPalette();
  bool Stopping() const { return stop_.load(); }

  LedCommands& commands_;
  LedEffectState& state_;
  Clock& clock_;
  DebugOutput& debug_;
  AutoResetEvent event_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> passes_{0};
  std::thread thread_;  // last: starts when everything above exists
};

}  // namespace audio77
