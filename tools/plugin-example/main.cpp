// audio77-plugin-example: the smallest well-behaved plug-in. It runs until
// the session broadcasts "WM_AUDIO_EFFECT_EXIT" (or it gets SIGTERM/SIGINT),
// and as it ends it broadcasts "WM_APP_EXIT_RESUME" so that the control
// panel clears the plug-in's check mark. It prints one line to standard error
// when it listens and one when it ends.
#include <QCoreApplication>
#include <QDBusConnection>
#include <iostream>

#include "platform/linux/SessionMessageBus.h"
#include "platform/linux/TerminationSignals.h"

int main(int argc, char** argv) {
  QCoreApplication qt(argc, argv);
  audio77::SessionMessageBus bus([] { return QDBusConnection::sessionBus(); });
  const std::uint32_t effect_exit = bus.Register("WM_AUDIO_EFFECT_EXIT");
  const std::uint32_t exit_resume = bus.Register("WM_APP_EXIT_RESUME");
  bus.SetHandler([effect_exit](std::uint32_t message) {
    if (message == effect_exit) QCoreApplication::quit();
  });
  {
    const audio77::TerminationSignals termination([] { QCoreApplication::quit(); });
    std::cerr << "audio77-plugin-example: listening\n" << std::flush;
    QCoreApplication::exec();
  }
  bus.SetHandler(nullptr);
  bus.Broadcast(exit_resume);
  std::cerr << "audio77-plugin-example: ended\n" << std::flush;
  return 0;
}
