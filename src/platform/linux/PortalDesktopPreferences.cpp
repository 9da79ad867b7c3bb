#include "platform/linux/PortalDesktopPreferences.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace audio77 {
namespace {

// The portal answers at once or not at all: a desktop without one must not
// hold up the first start.
constexpr int kPortalTimeoutMs = 300;

// The portal's "color-scheme": 0 no preference, 1 dark, 2 light.
std::optional<ColorScheme> PortalScheme(QDBusConnection bus) {
  if (!bus.isConnected()) return std::nullopt;
  QDBusMessage message = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
      QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
  message << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
  const QDBusMessage reply = bus.call(message, QDBus::Block, kPortalTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
  // Read wraps the value in one variant more than the setting itself has.
  QVariant value = reply.arguments().first();
  while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>()) {
    value = value.value<QDBusVariant>().variant();
  }
  bool ok = false;
  const uint scheme = value.toUInt(&ok);
  if (!ok) return std::nullopt;
  if (scheme == 1) return ColorScheme::kDark;
  if (scheme == 2) return ColorScheme::kLight;
  return ColorScheme::kNoPreference;
}

}  // namespace

ColorScheme PortalDesktopPreferences::PreferredColorScheme() const {
  const auto scheme = PortalScheme(bus_());
  if (scheme && *scheme != ColorScheme::kNoPreference) return *scheme;
  return environment_.PreferredColorScheme();
}

}  // namespace audio77
