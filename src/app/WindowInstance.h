#pragma once
// The window instance once it owns the per-logon lock: it creates the
// program's windows, runs the message loop until the main window closes, and
// comes forward when a second instance asks for it.

#include <functional>
#include <memory>

namespace audio77 {

class WindowInstance {
 public:
  virtual ~WindowInstance() = default;
  // Creates the windows and runs the message loop; returns when the main window has closed.
  virtual void Run() = 0;
  // A second instance was started: restore when minimised, otherwise raise and activate.
  virtual void BringForward() = 0;
};

using WindowInstanceFactory = std::function<std::unique_ptr<WindowInstance>()>;

// The message loop the window instance runs on.
struct MessageLoop {
  std::function<void()> run;   // returns once quit was called
  std::function<void()> quit;
};

}  // namespace audio77
