#pragma once
// Qt's D-Bus module wants an application object; the shell tests share one.

#include <QCoreApplication>

namespace audio77::test {

inline void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "audio77_platform_linux_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
}

}  // namespace audio77::test
