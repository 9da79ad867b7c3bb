#pragma once
// Receives the registered-message signals of the session bus on the thread
// that owns it (the UI thread) and hands each message name on.

#include <QDBusMessage>
#include <QObject>
#include <functional>

namespace audio77 {

class MessageSignalReceiver final : public QObject {
  Q_OBJECT

 public:
  // on_message gets the message name and the unique bus name of its sender.
  explicit MessageSignalReceiver(std::function<void(const QString& name, const QString& sender)> on_message);

 public Q_SLOTS:
  void OnSignal(const QDBusMessage& message);

 private:
  std::function<void(const QString&, const QString&)> on_message_;
};

}  // namespace audio77
