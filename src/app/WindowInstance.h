#pragma once
// The window instance once it owns the per-logon lock: it creates the
// program's windows, runs the application's event loop until the main window
// closes, and comes forward when a second instance asks for it.

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "toolkit/Application.h"

namespace audio77 {

class WindowInstance {
 public:
  virtual ~WindowInstance() = default;
  // Creates the windows and runs the event loop; returns when the main window has closed.
  virtual void Run() = 0;
  // A second instance was started: restore when minimised, otherwise raise and activate.
  virtual void BringForward() = 0;
  // The process is asked to end (SIGTERM, SIGINT): close as on the exit message.
  virtual void Close() = 0;
};

// Everything the window instance is made from.
struct WindowInstanceContext {
  Platform& platform;
  // The event loop, dialogs (and message boxes for the device layer), picture
  // loading, text measuring, menus, and the presenter of forms and tray icon.
  toolkit::Application& app;
  // The process command line exactly as it was given.
  std::string raw_command_line;
};

using WindowInstanceFactory =
    std::function<std::unique_ptr<WindowInstance>(const WindowInstanceContext& context)>;

// Calls close whenever the process is asked to end, until the returned
// object is destroyed. Installed only while the window instance runs: the
// one-shot roles keep the default behaviour.
using TerminationWatch = std::function<std::shared_ptr<void>(std::function<void()> close)>;

}  // namespace audio77
