#include "platform/linux/SystemdServiceManager.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "platform/linux/ControlDatagram.h"

namespace audio77 {
namespace {

const QString kSystemd = QStringLiteral("org.freedesktop.systemd1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString kManagerInterface = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString kUnitInterface = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kCallTimeoutMs = 10000;
constexpr std::uint32_t kStopCode = 1;
constexpr std::uint32_t kFirstUserCode = 128;
constexpr std::uint32_t kLastUserCode = 255;

std::optional<QDBusMessage> Call(QDBusConnection& bus, const QString& path, const QString& interface,
                                 const QString& method, const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(kSystemd, path, interface, method);
  message.setArguments(arguments);
  QDBusMessage reply = bus.call(message, QDBus::Block, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage) return std::nullopt;
  return reply;
}

std::optional<QString> UnitProperty(QDBusConnection& bus, const QString& unit_path, const QString& name) {
  const auto reply = Call(bus, unit_path, kProperties, QStringLiteral("Get"), {kUnitInterface, name});
  if (!reply || reply->arguments().isEmpty()) return std::nullopt;
  const QVariant value = reply->arguments().first().value<QDBusVariant>().variant();
  if (!value.canConvert<QString>()) return std::nullopt;
  return value.toString();
}

std::optional<ServiceState> StateFromActiveState(const QString& active) {
  if (active == "active" || active == "reloading" || active == "refreshing") return ServiceState::kRunning;
  if (active == "inactive" || active == "failed") return ServiceState::kStopped;
  if (active == "activating") return ServiceState::kStartPending;
  if (active == "deactivating") return ServiceState::kStopPending;
  return std::nullopt;  // a state this program does not know is no answer
}

class SystemdUnit final : public ServiceHandle {
 public:
  SystemdUnit(QDBusConnection bus, QString unit, QString path, std::string control_socket)
      : bus_(std::move(bus)), unit_(std::move(unit)), path_(std::move(path)),
        control_socket_(std::move(control_socket)) {}

  std::optional<ServiceState> QueryState() override {
    const auto active = UnitProperty(bus_, path_, QStringLiteral("ActiveState"));
    return active ? StateFromActiveState(*active) : std::nullopt;
  }

  bool Start() override { return Job(QStringLiteral("StartUnit")); }

  bool Control(std::uint32_t code) override {
    if (code == kStopCode) return Job(QStringLiteral("StopUnit"));
    if (code >= kFirstUserCode && code <= kLastUserCode) return SendControlDatagram(control_socket_, code);
    return false;  // systemd has no counterpart for the other standard codes
  }

 private:
  bool Job(const QString& method) {
    return Call(bus_, kManagerPath, kManagerInterface, method, {unit_, QStringLiteral("replace")}).has_value();
  }

  QDBusConnection bus_;
  QString unit_;
  QString path_;
  std::string control_socket_;
};

class SystemdManagerConnection final : public ServiceConnection {
 public:
  SystemdManagerConnection(QDBusConnection bus, std::string control_socket)
      : bus_(std::move(bus)), control_socket_(std::move(control_socket)) {}

  std::unique_ptr<ServiceHandle> OpenService(const std::string& name, std::uint32_t) override {
    // systemd decides access itself (polkit); the requested rights have no counterpart.
    const QString unit = QString::fromStdString(name) + QStringLiteral(".service");
    const auto reply = Call(bus_, kManagerPath, kManagerInterface, QStringLiteral("LoadUnit"), {unit});
    if (!reply || reply->arguments().isEmpty()) return nullptr;
    const QString path = reply->arguments().first().value<QDBusObjectPath>().path();
    if (path.isEmpty()) return nullptr;
    const auto load_state = UnitProperty(bus_, path, QStringLiteral("LoadState"));
    if (!load_state || *load_state == "not-found") return nullptr;
    return std::make_unique<SystemdUnit>(bus_, unit, path, control_socket_);
  }

 private:
  QDBusConnection bus_;
  std::string control_socket_;
};

}  // namespace

SystemdServiceManager::SystemdServiceManager(std::function<QDBusConnection()> connect,
                                             std::string control_socket)
    : connect_(std::move(connect)), control_socket_(std::move(control_socket)) {}

std::unique_ptr<ServiceConnection> SystemdServiceManager::OpenManager(std::uint32_t) {
  QDBusConnection bus = connect_();
  if (!bus.isConnected() || bus.interface() == nullptr) return nullptr;
  if (!bus.interface()->isServiceRegistered(kSystemd).value()) return nullptr;
  return std::make_unique<SystemdManagerConnection>(bus, control_socket_);
}

}  // namespace audio77
