#pragma once
// What the LED page shares with its effect worker: the colour table, the
// device mode last sent and the three effect speeds. The UI thread writes
// them, the worker reads them (and takes "colours pending"); every field is
// atomic or guarded, so the worker never sees a torn value.

#include <atomic>
#include <cstdint>

#include "lighting/LedCommands.h"
#include "lighting/LedPalette.h"

namespace audio77 {

struct LedEffectState {
  LedPalette palette;
  std::atomic<int> device_mode{led::kModePower};
  std::atomic<std::uint8_t> breathe_speed{1};
  std::atomic<std::uint8_t> rainbow_speed{1};
  std::atomic<std::uint8_t> multi_breathe_speed{1};

  // The speed sent with device mode 4, 5 or 6; 0 for the others.
  std::uint8_t SpeedOfMode(int mode) const {
    switch (mode) {
      case led::kModeBreathe: return breathe_speed.load();
      case led::kModeRainbow: return rainbow_speed.load();
      case led::kModeMultiBreathe: return multi_breathe_speed.load();
      default: return 0;
    }
  }
};

}  // namespace audio77
