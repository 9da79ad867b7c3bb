#include "toolkit/qt/QtEventLoopBridge.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "toolkit/EventLoop.h"

namespace audio77::toolkit::qt {

QtEventLoopBridge::QtEventLoopBridge(EventLoop& loop) : loop_(loop) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Pump(); });
  loop_.SetPlatformPump([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
  loop_.SetWakeHandler([this] { RequestPump(); });
  loop_.SetRunner([this] {
    // A quit asked for before the run ends it at the first pump.
    RequestPump();
    QCoreApplication::exec();
  });
  RequestPump();
}

QtEventLoopBridge::~QtEventLoopBridge() {
  loop_.SetRunner(nullptr);
  loop_.SetWakeHandler(nullptr);
  loop_.SetPlatformPump(nullptr);
}

// Any thread: one queued pump at a time is enough, it takes everything posted.
void QtEventLoopBridge::RequestPump() {
  if (pump_requested_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this, [this] { Pump(); }, Qt::QueuedConnection);
}

void QtEventLoopBridge::Pump() {
  pump_requested_.store(false);
  loop_.DispatchQueued();
  if (loop_.QuitRequested()) {
    QCoreApplication::exit(0);
    return;
  }
  ScheduleNextTimer();
}

void QtEventLoopBridge::ScheduleNextTimer() {
  const auto next = loop_.NextDueMs();
  if (!next) {
    timer_.stop();
    return;
  }
  const std::uint64_t now = loop_.GetClock().NowMs();
  const auto delay = *next > now ? *next - now : 0;
  timer_.start(static_cast<int>(std::min<std::uint64_t>(delay, 1u << 30)));
}

}  // namespace audio77::toolkit::qt
