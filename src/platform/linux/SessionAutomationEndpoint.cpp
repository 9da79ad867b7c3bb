#include "platform/linux/SessionAutomationEndpoint.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/linux/AutomationObject.h"

namespace audio77 {
namespace {

// A request may run a long sequence in the window (a device search with its
// pauses); a dialog that was not pre-answered waits for a person.
constexpr int kCallTimeoutMs = 60000;

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// Qt's D-Bus module wants an application object; a command-line client has
// none of its own, so one lives for the duration of the call.
class QtApplicationScope {
 public:
  QtApplicationScope() {
    if (QCoreApplication::instance() == nullptr)
      app_ = std::make_unique<QCoreApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[10] = "audio77ui";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
};

}  // namespace

SessionAutomationEndpoint::SessionAutomationEndpoint(std::function<QDBusConnection()> connect,
                                                     QString bus_name, bool may_serve)
    : connect_(std::move(connect)), bus_name_(std::move(bus_name)), may_serve_(may_serve) {}

SessionAutomationEndpoint::~SessionAutomationEndpoint() { Withdraw(); }

QString SessionAutomationEndpoint::LinuxBusName() {
  return QStringLiteral("org.audio77.Automation");
}

QString SessionAutomationEndpoint::VirtualBusName(const std::string& state_folder) {
  return QStringLiteral("org.audio77.Automation.V") +
         QStringLiteral("%1").arg(Fnv1a(state_folder), 16, 16, QLatin1Char('0')).toUpper();
}

bool SessionAutomationEndpoint::EnabledByEnvironment() {
  const char* value = std::getenv("AUDIO77_AUTOMATION");
  return value != nullptr && std::string_view(value) == "1";
}

bool SessionAutomationEndpoint::Serve(AutomationHandler handler) {
  Withdraw();
  if (!may_serve_ || !handler) return false;
  QDBusConnection bus = connect_();
  if (!bus.isConnected()) return false;
  auto object = std::make_unique<AutomationObject>(
      [this, handler = std::move(handler)](const std::vector<std::string>& args) {
        ++running_;
        struct Leave {
          int& depth;
          ~Leave() { --depth; }
        } leave{running_};
        return handler(args);
      });
  if (!bus.registerObject(kAutomationPath, object.get(), QDBusConnection::ExportScriptableSlots)) {
    return false;
  }
  if (!bus.registerService(bus_name_)) {
    bus.unregisterObject(kAutomationPath);
    return false;
  }
  object_ = std::move(object);
  return true;
}

void SessionAutomationEndpoint::ReplyNow(const AutomationReply& reply) {
  if (object_) object_->ReplyNow(reply);
}

void SessionAutomationEndpoint::Withdraw() {
  if (!object_) return;
  QDBusConnection bus = connect_();
  bus.unregisterService(bus_name_);
  bus.unregisterObject(kAutomationPath);
  // Withdraw may run inside the object's own Run (a request that closes the
  // window): then the object goes once control is back in the event loop.
  if (running_ > 0) {
    object_.release()->deleteLater();
  } else {
    object_.reset();
  }
}

std::optional<AutomationReply> SessionAutomationEndpoint::Call(
    const std::vector<std::string>& args) {
  const QtApplicationScope application;
  QDBusConnection bus = connect_();
  if (!bus.isConnected()) return std::nullopt;
  QStringList words;
  for (const std::string& arg : args) words << QString::fromStdString(arg);
  QDBusMessage call = QDBusMessage::createMethodCall(bus_name_, kAutomationPath,
                                                     kAutomationInterface, QStringLiteral("Run"));
  call << words;
  const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
    return std::nullopt;
  return AutomationReply{reply.arguments().at(0).toInt(),
                         reply.arguments().at(1).toString().toStdString()};
}

}  // namespace audio77
