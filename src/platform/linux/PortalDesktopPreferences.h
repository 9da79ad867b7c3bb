#pragma once
// Desktop preferences on Linux: the colour scheme from the desktop portal's
// settings (the one GNOME, KDE and others fill), the locale and, without a
// portal answer, a dark GTK theme from the environment.

#include <QDBusConnection>

#include <functional>

#include "platform/EnvironmentDesktopPreferences.h"

namespace audio77 {

class PortalDesktopPreferences final : public DesktopPreferences {
 public:
  explicit PortalDesktopPreferences(std::function<QDBusConnection()> bus) : bus_(std::move(bus)) {}

  std::string MessagesLocale() const override { return environment_.MessagesLocale(); }
  ColorScheme PreferredColorScheme() const override;

 private:
  std::function<QDBusConnection()> bus_;
  EnvironmentDesktopPreferences environment_;
};

}  // namespace audio77
