// Service control, single instance and session messages of the virtual platform.
#include "platform/NullServices.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<ServiceManager> CreateVirtualServiceManager(const VirtualContext&) {
  return std::make_unique<NullServiceManager>();
}

std::unique_ptr<InstanceLock> CreateVirtualInstanceLock(const VirtualContext&) {
  return std::make_unique<NullInstanceLock>();
}

std::unique_ptr<InstanceLink> CreateVirtualInstanceLink(const VirtualContext&) {
  return std::make_unique<NullInstanceLink>();
}

std::unique_ptr<MessageBus> CreateVirtualMessageBus(const VirtualContext&) {
  return std::make_unique<LocalMessageBus>();
}

}  // namespace audio77::sim
