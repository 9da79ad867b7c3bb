#pragma once
// Mouse input as the model sees it: which button, the pointer position in the
// receiver's own coordinates and the state of the modifier keys and buttons.

#include <cstdint>

#include "toolkit/Geometry.h"

namespace audio77::toolkit {

enum class MouseButton { kLeft, kRight, kMiddle };
enum class MouseAction { kDown, kMove, kUp };

// Bit flags, combined with |.
enum ShiftFlag : std::uint32_t {
  kShiftNone = 0,
  kShiftKey = 1u << 0,
  kAltKey = 1u << 1,
  kCtrlKey = 1u << 2,
  kLeftButton = 1u << 3,
  kRightButton = 1u << 4,
  kMiddleButton = 1u << 5,
  kDoubleClick = 1u << 6,
};
using ShiftState = std::uint32_t;

struct MouseEvent {
  MouseButton button = MouseButton::kLeft;
  Point position;  // relative to the receiving control (or the form's client area)
  ShiftState shift = kShiftNone;
};

// What the application-wide hook sees: every press, move and release of every
// form, before the control under the pointer gets it.
class Form;
struct HookMessage {
  MouseAction action = MouseAction::kMove;
  MouseButton button = MouseButton::kLeft;
  ShiftState shift = kShiftNone;
  Point screen;          // pointer position in screen coordinates
  Form* form = nullptr;  // the form the input arrived at
};

}  // namespace audio77::toolkit
