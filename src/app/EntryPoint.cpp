#include "app/EntryPoint.h"

#include <exception>
#include <memory>

#include "app/CommandLine.h"
#include "app/ControlTheService.h"
#include "platform/DebugFormat.h"

namespace audio77 {

EntryPoint::EntryPoint(Platform& platform, toolkit::Application& app, WindowInstanceFactory make_window,
                       TerminationWatch watch_termination)
    : platform_(platform),
      app_(app),
      make_window_(std::move(make_window)),
      watch_termination_(std::move(watch_termination)) {}

int EntryPoint::Run(std::vector<std::string> arguments) {
  // As given, before the program's own name is made a full path.
  std::string raw_command_line = CommandLine(arguments).RawText();
  // The first argument reads as the full path of the running program.
  const std::string program = platform_.folders.ProgramPath();
  if (!arguments.empty() && !program.empty()) arguments[0] = program;
  const CommandLine command_line(std::move(arguments));
  command_line.LogArguments(platform_.debug);
  switch (command_line.ChooseRole(platform_.debug)) {
    case Role::kBootRequest:
      RequestService("===== Service Control Execution -boot =====\n", kBootServiceCode);
      break;
    case Role::kServiceRequest:
      RequestService("===== Service Control Execution no service =====\n", kNoSwitchServiceCode);
      break;
    case Role::kWindowInstance:
      try {
        RunWindowInstance(kApplicationTitle, std::move(raw_command_line));
      } catch (const std::exception& error) {
        app_.GetDialogs().ShowMessage(
            {error.what(), kApplicationTitle, MessageIcon::kError, MessageButtons::kOk});
      }
      break;
  }
  return 0;
}

void EntryPoint::RequestService(const char* framing, std::uint32_t code) {
  platform_.debug.Write(framing);
  const std::uint32_t result =
      ControlTheService(platform_.services, platform_.clock, kCompanionServiceName, code);
  DebugPrintf(platform_.debug, "ControlTheService ret = %d\n", static_cast<int>(result));
}

void EntryPoint::RunWindowInstance(const std::string& title, std::string raw_command_line) {
  if (platform_.instance_lock.Acquire(kInstanceLockName) == InstanceLockResult::kHeldByAnother) {
    // Another window instance runs for this user: bring it forward and end
    // before any window exists, so that nothing here touches the device or
    // the profiles that instance owns.
    platform_.instance_link.ActivateRunning(title);
    return;
  }
  // A lock that cannot be taken at all (no usable runtime folder) must not
  // keep the user from the control panel: run without it.
  const std::shared_ptr<WindowInstance> window =
      make_window_({platform_, app_, std::move(raw_command_line)});
  if (!window) return;
  // The window publishes itself for a second instance once start-up has set
  // the application's title.
  const std::weak_ptr<WindowInstance> weak = window;
  std::shared_ptr<void> termination;
  if (watch_termination_) {
    termination = watch_termination_([weak] {
      if (const auto alive = weak.lock()) alive->Close();
    });
  }
  window->Run();
}

}  // namespace audio77
