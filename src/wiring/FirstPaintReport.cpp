#include "wiring/FirstPaintReport.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace audio77 {

void FirstPaintReport::InstallIfRequested(std::function<void()> close) {
  const char* wanted = std::getenv("AUDIO77_REPORT_FIRST_PAINT");
  if (wanted == nullptr || std::strcmp(wanted, "1") != 0) return;
  // Owned by the application object, which outlives every window.
  qApp->installEventFilter(new FirstPaintReport(std::move(close)));
}

bool FirstPaintReport::eventFilter(QObject* watched, QEvent* event) {
  if (reported_ || event->type() != QEvent::Paint) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || !widget->isWindow()) return false;
  reported_ = true;
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  std::printf("first-paint-ns %lld\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  std::fflush(stdout);
  QTimer::singleShot(0, qApp, [close = close_] { close(); });
  return false;
}

}  // namespace audio77
