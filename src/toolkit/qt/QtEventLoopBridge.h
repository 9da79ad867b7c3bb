#pragma once
// Runs the model's event loop on Qt's: the loop's Run runs Qt's, posted work
// and due timers are dispatched from Qt's loop, "let pending messages run"
// lets Qt deliver its pending input, and a quit request ends Qt's loop.

#include <QObject>
#include <QTimer>
#include <atomic>

namespace audio77::toolkit {
class EventLoop;
}

namespace audio77::toolkit::qt {

class QtEventLoopBridge final : public QObject {
 public:
  explicit QtEventLoopBridge(EventLoop& loop);
  ~QtEventLoopBridge() override;

 private:
  void RequestPump();
  void Pump();
  void ScheduleNextTimer();

  EventLoop& loop_;
  QTimer timer_;
  std::atomic<bool> pump_requested_{false};
};

}  // namespace audio77::toolkit::qt
