#include "lighting/LedCommandWorker.h"

namespace audio77 {

LedCommandWorker::LedCommandWorker(LedDialogCommands& commands, LedDialogState& state, Clock& clock,
                                   DebugOutput& debug)
    : commands_(commands), state_(state), clock_(clock), debug_(debug), thread_([this] { Loop(); }) {}

LedCommandWorker::~LedCommandWorker() {
  stop_.store(true);
  event_.Close();
  thread_.join();
}

void LedCommandWorker::Loop() {
  while (event_.Wait() && !stop_.load()) {
    clock_.Sleep(kDelayMs);
    // A change the user made goes out even when the dialog closes meanwhile.
    // The command below reads the newest values: wakes during the delay are in it.
    event_.Reset();
    debug_.Write("LEDCommandThread");
    const int effect = state_.current_effect.load();
    commands_.Mode(state_.master.load(), state_.led_number.load(), effect, state_.ValueOf(effect));
    passes_.fetch_add(1);
  }
}

}  // namespace audio77
