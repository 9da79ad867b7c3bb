#pragma once
// The LED dialog's command worker: half a second after a wake-up it sends the
// current effect with its speed, in the controller family chosen at that
// moment. Wakes that come during the half second are folded into that one
// command, which reads the newest values. It waits without a time-out; the
// thread starts with the object and is stopped and joined when it goes, after
// the command of a wake it has already taken.

#include <atomic>
#include <cstdint>
#include <thread>

#include "lighting/AutoResetEvent.h"
#include "lighting/LedDialogCommands.h"
#include "lighting/LedDialogState.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

namespace audio77 {

class LedCommandWorker {
 public:
  static constexpr std::uint32_t kDelayMs = 500;

  LedCommandWorker(LedDialogCommands& commands, LedDialogState& state, Clock& clock, DebugOutput& debug);
  ~LedCommandWorker();
  LedCommandWorker(const LedCommandWorker&) = delete;
  LedCommandWorker& operator=(const LedCommandWorker&) = delete;

  void Wake() { event_.Set(); }
  // Commands sent so far.
  std::uint64_t Passes() const { return passes_.load(); }
  // A wake is waiting to release the next pass.
  bool WakePending() const { return event_.Signalled(); }

 private:
  void Loop();

  LedDialogCommands& commands_;
  LedDialogState& state_;
  Clock& clock_;
  DebugOutput& debug_;
  AutoResetEvent event_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> passes_{0};
  std::thread thread_;  // last: starts when everything above exists
};

}  // namespace audio77
