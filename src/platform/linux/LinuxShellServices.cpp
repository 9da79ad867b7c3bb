// Service control, the single-instance lock and link, and session messages on Linux.
#include "platform/NullServices.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {

std::unique_ptr<ServiceManager> CreateLinuxServiceManager(const LinuxContext&) {
  return std::make_unique<NullServiceManager>();
}

std::unique_ptr<InstanceLock> CreateLinuxInstanceLock(const LinuxContext&) {
  return std::make_unique<NullInstanceLock>();
}

std::unique_ptr<InstanceLink> CreateLinuxInstanceLink(const LinuxContext&) {
  return std::make_unique<NullInstanceLink>();
}

std::unique_ptr<MessageBus> CreateLinuxMessageBus(const LinuxContext&) {
  return std::make_unique<LocalMessageBus>();
}

}  // namespace audio77
