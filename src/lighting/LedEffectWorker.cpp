#include "lighting/LedEffectWorker.h"

namespace audio77 {

LedEffectWorker::LedEffectWorker(LedCommands& commands, LedEffectState& state, Clock& clock, DebugOutput& debug)
    : commands_(commands), state_(state), clock_(clock), debug_(debug), thread_([this] { Loop(); }) {}

LedEffectWorker::~LedEffectWorker() {
  stop_.store(true);
  event_.Close();
  thread_.join();
}

void LedEffectWorker::Loop() {
  for (;;) {
    debug_.Write("WaitForSingleObject");
    if (!event_.Wait() || Stopping()) return;
    Pass();
    passes_.fetch_add(1);
  }
}

void LedEffectWorker::Pass() {
  clock_.Sleep(kWakePauseMs);
  if (Stopping()) return;
  if (state_.palette.TakePending()) SendPalette();
  if (Stopping()) return;
  debug_.Write("LEDEffectThread");
  const int mode = state_.device_mode.load();
  if (mode == led::kModeBreathe || mode == led::kModeRainbow || mode == led::kModeMultiBreathe) {
    commands_.SendWithRetry(LedCommands::Mode(mode, state_.SpeedOfMode(mode)));
  }
}

void LedEffectWorker::SendPalette() {
  const LedPalette::Colours colours = state_.palette.Snapshot();
  for (int slot = 1; slot <= LedPalette::kSlots && !Stopping(); ++slot) {
    clock_.Sleep(kSlotPauseMs);
    commands_.SendWithRetry(LedCommands::SlotColour(slot, colours[static_cast<std::size_t>(slot - 1)]));
    clock_.Sleep(kSlotPauseMs);
  }
}

}  // namespace audio77
