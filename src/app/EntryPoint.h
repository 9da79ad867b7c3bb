#pragma once
// The entry point's work: choose the role from the command line, send the
// one-shot service requests, or run the single window instance of the logon.

#include <string>
#include <vector>

#include "app/WindowInstance.h"
#include "platform/Platform.h"

namespace audio77 {

// The application title before any window exists; a second instance finds the
// running one under it.
inline constexpr const char* kApplicationTitle = "Audio77";
inline constexpr const char* kInstanceLockName = "{196BFF53-13AC-4BB7-8F82-D7E5E55E19F7}";
inline constexpr const char* kCompanionServiceName = "AudioDeviceService";
inline constexpr std::uint32_t kBootServiceCode = 196;
inline constexpr std::uint32_t kNoSwitchServiceCode = 193;

class EntryPoint {
 public:
  // app: the toolkit the window instance runs on; its dialogs show the
  // start-up error box. watch_termination may be empty (tests).
  EntryPoint(Platform& platform, toolkit::Application& app, WindowInstanceFactory make_window,
             TerminationWatch watch_termination = {});

  // arguments[0] is the program. The exit code, always 0.
  int Run(std::vector<std::string> arguments);

 private:
  void RequestService(const char* framing, std::uint32_t code);
  void RunWindowInstance(const std::string& title, std::string raw_command_line);

  Platform& platform_;
  toolkit::Application& app_;
  WindowInstanceFactory make_window_;
  TerminationWatch watch_termination_;
};

}  // namespace audio77
