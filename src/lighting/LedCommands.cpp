#include "lighting/LedCommands.h"

namespace audio77 {

namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

}  // namespace

LedCall LedCommands::Mode(int mode, int value) { return {LedCall::Kind::kMode, Byte(mode), Byte(value), 0}; }

LedCall LedCommands::SlotColour(int slot, toolkit::Color colour) {
  return {LedCall::Kind::kSlotColour, Byte(slot), 0, colour};
}

LedCall LedCommands::ModeColour(int mode, toolkit::Color colour) {
  return {LedCall::Kind::kModeColour, Byte(mode), 0, colour};
}

LedCall LedCommands::StepCount() { return {LedCall::Kind::kStepCount, kSteps, 0, 0}; }

LedPlan LedCommands::PlanLedOff() {
  return {led::kModePower, {WithRetry(Mode(led::kModePower, 1)), Pause(10)}};
}

LedPlan LedCommands::PlanSingleColor(const LedSendState& state) {
  if (!state.single_colour) return {};
  return {led::kModeSingle,
          {WithRetry(Mode(led::kModeSingle, 0)), Pause(10), WithRetry(ModeColour(led::kModeSingle, state.single))}};
}

LedPlan LedCommands::PlanBreathe(const LedSendState& state) {
  if (state.effect != led::kBreathe) return {};
  return {led::kModeBreathe,
          {WithRetry(Mode(led::kModeBreathe, state.breathe_speed)), Pause(10),
           WithRetry(ModeColour(led::kModeBreathe, state.breathe))}};
}

LedPlan LedCommands::PlanRainbowOrMulti(const LedSendState& state) {
  if (state.effect == led::kRainbow) {
    return {led::kModeRainbow, {WithRetry(Mode(led::kModeRainbow, state.rainbow_speed))}};
  }
  if (state.effect == led::kMultiBreathe) {
    return {led::kModeMultiBreathe, {WithRetry(Mode(led::kModeMultiBreathe, state.multi_breathe_speed))}};
  }
  return {};
}

std::int32_t LedCommands::Send(const LedCall& call) {
  std::lock_guard lock(serial_);
  return Call(call);
}

std::int32_t LedCommands::Call(const LedCall& call) {
  using toolkit::BlueOf;
  using toolkit::GreenOf;
  using toolkit::RedOf;
  switch (call.kind) {
    case LedCall::Kind::kMode:
      return library_.SetRGB_Mode_ById(kAddress, kModeLed, call.which, call.value, kTiming, kDeviceIndex);
    case LedCall::Kind::kSlotColour:
      return library_.SetRGB_Color_ById(kAddress, kColourLed, call.which, RedOf(call.colour), GreenOf(call.colour),
                                        BlueOf(call.colour), kTiming, kDeviceIndex);
    case LedCall::Kind::kModeColour:
      return library_.SetRGB_SingleColor_ById(kAddress, kColourLed, call.which, RedOf(call.colour),
                                              GreenOf(call.colour), BlueOf(call.colour), kTiming, kDeviceIndex);
    case LedCall::Kind::kStepCount:
      return library_.SetRGB_Step_ById(kAddress, call.which, kTiming, kDeviceIndex);
  }
  return DeviceLibrary::kNotBound;
}

std::int32_t LedCommands::SendWithRetry(const LedCall& call) {
  const std::int32_t first = Send(call);
  if (first == 0) return first;
  clock_.Sleep(kRetryPauseMs);
  return Send(call);
}

bool LedCommands::Run(const std::vector<LedStep>& steps) {
  bool all_done = true;
  for (const LedStep& step : steps) {
    switch (step.kind) {
      case LedStep::Kind::kCall:
        all_done = Send(step.call) == 0 && all_done;
        break;
      case LedStep::Kind::kCallWithRetry:
        all_done = SendWithRetry(step.call) == 0 && all_done;
        break;
      case LedStep::Kind::kCallPauseOnFailure:
        if (Send(step.call) != 0) {
          all_done = false;
          clock_.Sleep(step.pause_ms);
        }
        break;
      case LedStep::Kind::kPause:
        clock_.Sleep(step.pause_ms);
        break;
    }
  }
  return all_done;
}

}  // namespace audio77
