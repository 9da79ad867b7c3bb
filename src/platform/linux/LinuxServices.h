#pragma once
// Factories of the Linux implementations, one per service. Each is defined in
// the file that implements its service; LinuxPlatform puts them together.

#include <memory>

#include "platform/Platform.h"

namespace audio77 {

// What the services may need from each other when they are made.
struct LinuxContext {
  DebugOutput& debug;
  Clock& clock;
  KnownFolders& folders;
};

std::unique_ptr<KnownFolders> CreateLinuxKnownFolders();
// Makes every settings writer of this process lock folders against other
// processes and flush to disk; CreateLinuxRegistry does it too.
void InstallLinuxFileGuard();
std::unique_ptr<Registry> CreateLinuxRegistry(const LinuxContext& context);
std::unique_ptr<DynamicLibrary> CreateLinuxDynamicLibrary(const LinuxContext& context);
std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxContext& context);
std::unique_ptr<DriverExtension> CreateLinuxDriverExtension(const LinuxContext& context);
std::unique_ptr<DeviceEnumerator> CreateLinuxDeviceEnumerator(const LinuxContext& context);
std::unique_ptr<DeviceNotifier> CreateLinuxDeviceNotifier(const LinuxContext& context);
std::unique_ptr<ServiceManager> CreateLinuxServiceManager(const LinuxContext& context);
std::unique_ptr<InstanceLock> CreateLinuxInstanceLock(const LinuxContext& context);
std::unique_ptr<InstanceLink> CreateLinuxInstanceLink(const LinuxContext& context);
std::unique_ptr<MessageBus> CreateLinuxMessageBus(const LinuxContext& context);

}  // namespace audio77
