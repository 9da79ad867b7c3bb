#pragma once
// The drag the application-wide hook is running: which control follows the
// pointer, where the press was and where the control stood then.

#include "toolkit/Control.h"
#include "toolkit/Geometry.h"

namespace audio77::ui {

enum class DragMode { kNone = 0, kEqKnob = 1, kMicKnob = 2, kSpeaker = 3, k3DKnob = 4, kEncKnob = 5 };

struct DragState {
  bool dragging = false;
  toolkit::Control* target = nullptr;
  toolkit::Point press_point;  // screen coordinates
  int start_left = 0;
  int start_top = 0;
  DragMode mode = DragMode::kNone;

  void Start(toolkit::Control& control, toolkit::Point screen, DragMode drag_mode) {
    dragging = true;
    target = &control;
    press_point = screen;
    start_left = control.Left();
    start_top = control.Top();
    mode = drag_mode;
  }
  void End() {
    dragging = false;
    target = nullptr;
    mode = DragMode::kNone;
  }
};

}  // namespace audio77::ui
