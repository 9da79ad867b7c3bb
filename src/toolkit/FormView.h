#pragma once
// What a form tells its presentation. The model holds all behaviour; the view
// repaints, keeps its widgets in step and does what only the window system can
// (a system move of the window, a modal loop).

#include "toolkit/Geometry.h"

namespace audio77::toolkit {

class Control;

class FormView {
 public:
  virtual ~FormView() = default;
  // This part of the client area must be painted again.
  virtual void Invalidate(const Rect& client_rect) = 0;
  // A standard control's geometry, visibility or state changed.
  virtual void ControlStateChanged(Control& control) = 0;
  // Caption, size, position, region, visibility or window state changed.
  virtual void FormChanged() = 0;
  // Let the window system move the window with the mouse until release.
  virtual void StartSystemMove() = 0;
  // Runs until the form is no longer shown modally.
  virtual void RunModal() = 0;
  // The form is being destroyed; the view must not touch it any more.
  virtual void FormDestroyed() {}
};

}  // namespace audio77::toolkit
