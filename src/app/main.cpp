// audio77: the window instance ("-servicestart", "-serviceboot") and the two
// one-shot service requests. This file only wires the platform and Qt's loop
// to the entry point.
#include <QCoreApplication>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/EntryPoint.h"
#include "app/CommandLine.h"
#include "app/PendingMainWindow.h"
#include "platform/linux/TerminationSignals.h"
#include "wiring/ChoosePlatform.h"

namespace {

audio77::MessageLoop QtLoop() {
  return {[] {
            // SIGTERM and SIGINT close the window instance the way the exit
            // message does; the one-shot roles keep the default behaviour.
            const audio77::TerminationSignals termination([] { QCoreApplication::quit(); });
            QCoreApplication::exec();
          },
          [] { QCoreApplication::quit(); }};
}

}  // namespace

int main(int argc, char** argv) {
  // Taken before Qt sees the command line, so every argument stays as given.
  std::vector<std::string> arguments(argv, argv + argc);
  QCoreApplication qt(argc, argv);
  try {
    const auto host = audio77::CreatePlatform(audio77::PlatformKindFromEnvironment());
    audio77::Platform& platform = host->Get();
    const std::string raw_command_line = audio77::CommandLine(arguments).RawText();
    audio77::EntryPoint entry_point(platform, [&platform, &raw_command_line] {
      // The main controller and its companion windows take this place.
      return std::make_unique<audio77::PendingMainWindow>(platform, raw_command_line, QtLoop());
    });
    return entry_point.Run(std::move(arguments));
  } catch (const std::exception& error) {
    std::cerr << "audio77: " << error.what() << '\n';
  }
  return 0;
}
