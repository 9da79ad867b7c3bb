// Service control, the single-instance lock and link, session messages and
// automation on Linux.
#include "platform/linux/ControlDatagram.h"
#include "platform/linux/DesktopShell.h"
#include "platform/linux/FlockInstanceLock.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/PortalDesktopPreferences.h"
#include "platform/linux/SessionAutomationEndpoint.h"
#include "platform/linux/SessionInstanceLink.h"
#include "platform/linux/SessionMessageBus.h"
#include "platform/linux/SystemdServiceManager.h"

namespace audio77 {

std::unique_ptr<ServiceManager> CreateLinuxServiceManager(const LinuxContext&) {
  return std::make_unique<SystemdServiceManager>([] { return QDBusConnection::systemBus(); },
                                                 kServiceControlSocket);
}

std::unique_ptr<InstanceLock> CreateLinuxInstanceLock(const LinuxContext&) {
  return std::make_unique<FlockInstanceLock>();
}

std::unique_ptr<InstanceLink> CreateLinuxInstanceLink(const LinuxContext&) {
  return std::make_unique<SessionInstanceLink>([] { return QDBusConnection::sessionBus(); });
}

std::unique_ptr<MessageBus> CreateLinuxMessageBus(const LinuxContext&) {
  return std::make_unique<SessionMessageBus>([] { return QDBusConnection::sessionBus(); });
}

std::unique_ptr<AutomationEndpoint> CreateLinuxAutomationEndpoint(const LinuxContext&) {
  return std::make_unique<SessionAutomationEndpoint>(
      [] { return QDBusConnection::sessionBus(); }, SessionAutomationEndpoint::LinuxBusName(),
      SessionAutomationEndpoint::EnabledByEnvironment());
}

std::unique_ptr<Shell> CreateLinuxShell() { return std::make_unique<DesktopShell>(); }

std::unique_ptr<DesktopPreferences> CreateLinuxDesktopPreferences() {
  return std::make_unique<PortalDesktopPreferences>([] { return QDBusConnection::sessionBus(); });
}

}  // namespace audio77
