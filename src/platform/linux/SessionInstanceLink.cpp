#include "platform/linux/SessionInstanceLink.h"

#include <QCryptographicHash>
#include <QDBusMessage>

#include "platform/linux/InstanceEndpoint.h"

namespace audio77 {
namespace {

constexpr int kActivateTimeoutMs = 5000;
// Bus names are limited to 255 characters; longer titles are named by a digest.
constexpr qsizetype kLongestHexTitle = 200;

}  // namespace

SessionInstanceLink::SessionInstanceLink(std::function<QDBusConnection()> connect)
    : connect_(std::move(connect)) {}

SessionInstanceLink::~SessionInstanceLink() { Withdraw(); }

QString SessionInstanceLink::BusNameFor(const std::string& title) {
  const QByteArray bytes = QByteArray::fromStdString(title);
  QByteArray hex = bytes.toHex().toUpper();
  if (hex.size() > kLongestHexTitle) {
    hex = "H" + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toUpper();
  }
  return QStringLiteral("org.audio77.Instance.T") + QString::fromLatin1(hex);
}

bool SessionInstanceLink::Publish(const std::string& title, std::function<void()> on_activate) {
  Withdraw();
  QDBusConnection bus = connect_();
  if (!bus.isConnected()) return false;
  auto endpoint = std::make_unique<InstanceEndpoint>(std::move(on_activate));
  if (!bus.registerObject(kInstancePath, endpoint.get(), QDBusConnection::ExportScriptableSlots)) {
    return false;
  }
  const QString name = BusNameFor(title);
  if (!bus.registerService(name)) {
    bus.unregisterObject(kInstancePath);
    return false;
  }
  endpoint_ = std::move(endpoint);
  published_name_ = name;
  return true;
}

bool SessionInstanceLink::ActivateRunning(const std::string& title) {
  QDBusConnection bus = connect_();
  if (!bus.isConnected()) return false;
  const QDBusMessage call = QDBusMessage::createMethodCall(BusNameFor(title), kInstancePath,
                                                           kInstanceInterface, QStringLiteral("Activate"));
  return bus.call(call, QDBus::Block, kActivateTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

void SessionInstanceLink::Withdraw() {
  if (!endpoint_) return;
  QDBusConnection bus = connect_();
  bus.unregisterService(published_name_);
  bus.unregisterObject(kInstancePath);
  endpoint_.reset();
  published_name_.clear();
}

}  // namespace audio77
