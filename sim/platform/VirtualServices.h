#pragma once
// Factories of the virtual implementations, one per service. Each is defined
// in the file that implements its service; VirtualPlatform puts them together.

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace audio77::sim {

struct VirtualContext {
  DebugOutput& debug;
  Clock& clock;
  KnownFolders& folders;
  std::string state_folder;  // the virtual device's state folder, no trailing separator
};

std::unique_ptr<Registry> CreateVirtualRegistry(const VirtualContext& context);
std::unique_ptr<DynamicLibrary> CreateVirtualDynamicLibrary(const VirtualContext& context);
std::unique_ptr<HidBackend> CreateVirtualHidBackend(const VirtualContext& context);
std::unique_ptr<DriverExtension> CreateVirtualDriverExtension(const VirtualContext& context);
std::unique_ptr<DeviceEnumerator> CreateVirtualDeviceEnumerator(const VirtualContext& context);
std::unique_ptr<ServiceManager> CreateVirtualServiceManager(const VirtualContext& context);
std::unique_ptr<InstanceLock> CreateVirtualInstanceLock(const VirtualContext& context);
std::unique_ptr<InstanceLink> CreateVirtualInstanceLink(const VirtualContext& context);
std::unique_ptr<MessageBus> CreateVirtualMessageBus(const VirtualContext& context);

}  // namespace audio77::sim
