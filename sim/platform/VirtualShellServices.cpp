// Service control, single instance and session messages of the virtual platform.
#include "sim/platform/VirtualInstanceLink.h"
#include "sim/platform/VirtualInstanceLock.h"
#include "sim/platform/VirtualMessageBus.h"
#include "sim/platform/VirtualServiceManager.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<ServiceManager> CreateVirtualServiceManager(const VirtualContext& context) {
  return std::make_unique<VirtualServiceManager>(context.state_folder);
}

std::unique_ptr<InstanceLock> CreateVirtualInstanceLock(const VirtualContext& context) {
  return std::make_unique<VirtualInstanceLock>(context.state_folder);
}

std::unique_ptr<InstanceLink> CreateVirtualInstanceLink(const VirtualContext& context) {
  return std::make_unique<VirtualInstanceLink>(context.state_folder);
}

std::unique_ptr<MessageBus> CreateVirtualMessageBus(const VirtualContext& context) {
  return std::make_unique<VirtualMessageBus>(context.state_folder);
}

}  // namespace audio77::sim
