#pragma once
// Services as systemd units ("<name>.service") over the system bus:
//   open manager   the bus is connected and org.freedesktop.systemd1 answers
//   open service   Manager.LoadUnit gives a unit whose LoadState is not "not-found"
//   query          the unit's ActiveState (active/reloading/refreshing = running,
//                  inactive/failed = stopped, activating = start pending,
//                  deactivating = stop pending)
//   start, stop    Manager.StartUnit / StopUnit with mode "replace"
//   codes 128-255  a datagram to the service's control socket
// The bus is the one DBUS_SYSTEM_BUS_ADDRESS names, so tests can run a stand-in.

#include <QDBusConnection>
#include <functional>
#include <string>

#include "platform/ServiceManager.h"

namespace audio77 {

class SystemdServiceManager final : public ServiceManager {
 public:
  SystemdServiceManager(std::function<QDBusConnection()> connect, std::string control_socket);

  std::unique_ptr<ServiceConnection> OpenManager(std::uint32_t access) override;

 private:
  std::function<QDBusConnection()> connect_;
  std::string control_socket_;
};

}  // namespace audio77
