#pragma once
// Turns SIGTERM and SIGINT into a call on the Qt event loop, so the window
// instance closes as it would on the exit message instead of dying mid-write.
// One object at a time; the previous handlers come back when it is destroyed.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace audio77 {

class TerminationSignals final : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(std::function<void()> on_signal);
  ~TerminationSignals() override;

 private Q_SLOTS:
  void OnReadable();

 private:
  std::function<void()> on_signal_;
  int read_fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace audio77
