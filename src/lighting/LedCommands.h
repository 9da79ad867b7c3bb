#pragma once
// The LED page's commands to the device's own lighting controller, through the
// device library's by-index lighting entries (controller address 58, timing 50,
// device index 0). What a send does is planned by pure functions from the
// lighting state (the device mode it leaves and the calls and pauses in
// order); Run carries a plan out on the library.

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "device/DeviceLibrary.h"
#include "platform/Clock.h"
#include "toolkit/Color.h"

namespace audio77 {

// Effects of the LED page and the device modes that show them.
namespace led {
inline constexpr int kNoEffect = 0;
inline constexpr int kBreathe = 1;
inline constexpr int kRainbow = 2;
inline constexpr int kMultiBreathe = 3;
inline constexpr int kModePower = 1;  // value 1: off, 0: on again
inline constexpr int kModeSingle = 2;
inline constexpr int kModeBreathe = 4;
inline constexpr int kModeRainbow = 5;
inline constexpr int kModeMultiBreathe = 6;
// An effect 1..3 is valid; anything else reads as none.
inline int ValidEffect(long long effect) {
  return effect >= kBreathe && effect <= kMultiBreathe ? static_cast<int>(effect) : kNoEffect;
}
// The device mode of effect 1..3; 0 for none.
inline int ModeOfEffect(int effect) {
  switch (effect) {
    case kBreathe: return kModeBreathe;
    case kRainbow: return kModeRainbow;
    case kMultiBreathe: return kModeMultiBreathe;
    default: return 0;
  }
}
}  // namespace led

struct LedCall {
  enum class Kind { kMode, kSlotColour, kModeColour, kStepCount };
  Kind kind = Kind::kMode;
  std::uint8_t which = 0;  // the mode, or the colour slot 1..7
  std::uint8_t value = 0;  // the mode's value
  toolkit::Color colour = 0;
  bool operator==(const LedCall&) const = default;
};

struct LedStep {
  enum class Kind {
    kCall,                // once, whatever it gives
    kCallWithRetry,       // a failure waits 10 ms and makes the same call once more
    kCallPauseOnFailure,  // once; a failure waits pause_ms
    kPause,               // waits pause_ms
  };
  Kind kind = Kind::kPause;
  LedCall call{};
  std::uint32_t pause_ms = 0;
  bool operator==(const LedStep&) const = default;
};

struct LedPlan {
  std::optional<int> device_mode;  // the device mode the send leaves, if it sets one
  std::vector<LedStep> steps;
};

// What the sends of the LED page read.
struct LedSendState {
  bool single_colour = false;
  int effect = led::kNoEffect;
  std::uint8_t breathe_speed = 1;
  std::uint8_t rainbow_speed = 1;
  std::uint8_t multi_breathe_speed = 1;
  toolkit::Color single = 0x0000FF;
  toolkit::Color breathe = 0x0000FF;
};

class LedCommands {
 public:
  static constexpr std::uint8_t kAddress = 58;
  static constexpr std::int32_t kTiming = 50;
  static constexpr std::uint8_t kModeLed = 0;    // modes go to LED selector 0
  static constexpr std::uint8_t kColourLed = 1;  // colours to LED number 1
  static constexpr std::uint8_t kDeviceIndex = 0;
  static constexpr std::uint8_t kSteps = 7;
  static constexpr std::uint32_t kRetryPauseMs = 10;

  // serial: the lock every lighting call of the program takes, so that the
  // UI and the workers never talk to the library at once (a lock of its own
  // when none is given).
  LedCommands(DeviceLibrary& library, Clock& clock, std::mutex* serial = nullptr)
      : library_(library), clock_(clock), serial_(serial != nullptr ? *serial : own_serial_) {}

  static LedCall Mode(int mode, int value);
  static LedCall SlotColour(int slot, toolkit::Color colour);
  static LedCall ModeColour(int mode, toolkit::Color colour);
  static LedCall StepCount();
  static LedStep Once(const LedCall& call) { return {LedStep::Kind::kCall, call, 0}; }
  static LedStep WithRetry(const LedCall& call) { return {LedStep::Kind::kCallWithRetry, call, 0}; }
  static LedStep PauseOnFailure(const LedCall& call, std::uint32_t ms) {
    return {LedStep::Kind::kCallPauseOnFailure, call, ms};
  }
  static LedStep Pause(std::uint32_t ms) { return {LedStep::Kind::kPause, {}, ms}; }

  // Mode 1 with value 1, then 10 ms.
  static LedPlan PlanLedOff();
  // Only with the single-colour flag: mode 2, 10 ms, the single colour.
  static LedPlan PlanSingleColor(const LedSendState& state);
  // Only for the breathe effect: mode 4 at its speed, 10 ms, the breathe colour.
  static LedPlan PlanBreathe(const LedSendState& state);
  // Rainbow: mode 5 at its speed; multi-breathe: mode 6 at its speed.
  static LedPlan PlanRainbowOrMulti(const LedSendState& state);

  // One call; the library's result (0 done).
  std::int32_t Send(const LedCall& call);
  // A failed call is made once more after 10 ms; the last result.
  std::int32_t SendWithRetry(const LedCall& call);
  // The steps in order; false when a call still failed at its end.
  bool Run(const std::vector<LedStep>& steps);

 private:
  std::int32_t Call(const LedCall& call);

  DeviceLibrary& library_;
  Clock& clock_;
  std::mutex own_serial_;
  std::mutex& serial_;
};

}  // namespace audio77
