#include "platform/linux/SessionMessageBus.h"

#include <QDBusMessage>

#include "platform/linux/MessageSignalReceiver.h"

namespace audio77 {
namespace {

constexpr std::uint32_t kFirstMessage = 0xC000;  // where registered messages start
// The daemon answers at once; the limit only matters when it hangs.
constexpr int kFlushTimeoutMs = 2000;

}  // namespace

SessionMessageBus::SessionMessageBus(std::function<QDBusConnection()> connect)
    : connect_(std::move(connect)),
      receiver_(std::make_unique<MessageSignalReceiver>(
          [this](const QString& name, const QString& sender) { OnReceived(name, sender); })) {}

SessionMessageBus::~SessionMessageBus() {
  if (subscribed_) {
    connect_().disconnect(QString(), kMessagesPath, kMessagesInterface, kMessageSignal, receiver_.get(),
                          SLOT(OnSignal(QDBusMessage)));
  }
}

std::uint32_t SessionMessageBus::Register(const std::string& name) {
  Subscribe();
  if (const std::uint32_t known = NumberOf(name)) return known;
  names_.push_back(name);
  return kFirstMessage + static_cast<std::uint32_t>(names_.size() - 1);
}

void SessionMessageBus::Broadcast(std::uint32_t message) {
  const std::uint32_t index = message - kFirstMessage;
  if (message < kFirstMessage || index >= names_.size()) return;  // never registered here
  const std::string name = names_[index];
  // Copied: the handler may replace itself while it runs.
  if (const auto handler = handler_) handler(message);

  QDBusConnection bus = connect_();
  if (!bus.isConnected()) return;
  QDBusMessage signal = QDBusMessage::createSignal(kMessagesPath, kMessagesInterface, kMessageSignal);
  signal << QString::fromStdString(name);
  if (!bus.send(signal)) return;
  // A round trip to the bus daemon returns only after it has read our signal,
  // so a sender that ends right after its broadcast does not lose it. Blocking
  // without an event loop: no timer, input or bus message of ours runs here.
  const QDBusMessage ping = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
  bus.call(ping, QDBus::Block, kFlushTimeoutMs);
}

void SessionMessageBus::SetHandler(std::function<void(std::uint32_t)> handler) {
  handler_ = std::move(handler);
  Subscribe();
}

bool SessionMessageBus::Subscribe() {
  if (subscribed_) return true;
  QDBusConnection bus = connect_();
  if (!bus.isConnected()) return false;
  subscribed_ = bus.connect(QString(), kMessagesPath, kMessagesInterface, kMessageSignal, receiver_.get(),
                            SLOT(OnSignal(QDBusMessage)));
  return subscribed_;
}

void SessionMessageBus::OnReceived(const QString& name, const QString& sender) {
  // Our own broadcasts were delivered when they were sent.
  if (sender == connect_().baseService()) return;
  const std::uint32_t number = NumberOf(name.toStdString());
  if (number == 0) return;  // a message this program never registered means nothing to it
  if (const auto handler = handler_) handler(number);
}

std::uint32_t SessionMessageBus::NumberOf(const std::string& name) const {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == name) return kFirstMessage + static_cast<std::uint32_t>(i);
  }
  return 0;
}

}  // namespace audio77
