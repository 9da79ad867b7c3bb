#pragma once
// One QApplication for the whole test program, on the offscreen platform unless
// the environment asks for another, so pictures do not depend on a display.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>

namespace audio77::toolkit::qt::test {

class TestAppEnvironment : public ::testing::Environment {
 public:
  explicit TestAppEnvironment(QApplication* app) : app_(app) {}
  void TearDown() override { delete app_; }

 private:
  QApplication* app_;
};

inline QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "audio77_toolkit_qt_tests";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Torn down when the tests end, before the statics of Qt and its font
  // libraries go away (destroying it after them crashes).
  static QApplication* app = [] {
    auto* created = new QApplication(argc, argv);
    ::testing::AddGlobalTestEnvironment(new TestAppEnvironment(created));
    return created;
  }();
  return *app;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  static quint64 timestamp = 1000;
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons,
                    Qt::NoModifier);
  event.setTimestamp(++timestamp);
  QApplication::sendEvent(widget, &event);
}

}  // namespace audio77::toolkit::qt::test
