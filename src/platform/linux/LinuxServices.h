#pragma once
// Factories of the Linux implementations, one per service. Each is defined in
// the file that implements its service; LinuxPlatform puts them together.

#include <memory>

#include "platform/Platform.h"
#include "platform/PlatformServices.h"
#include "platform/SoundCardHost.h"

namespace audio77 {

// What the services may need from each other when they are made.
struct LinuxContext {
  DebugOutput& debug;
  Clock& clock;
  KnownFolders& folders;
};

std::unique_ptr<KnownFolders> CreateLinuxKnownFolders();
// Settings writers of every process lock their folder and write whole files.
std::unique_ptr<FileGuard> CreateLinuxFileGuard();
std::unique_ptr<DynamicLibrary> CreateLinuxDynamicLibrary(const LinuxContext& context);
std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxContext& context);
std::unique_ptr<DriverExtension> CreateLinuxDriverExtension(const LinuxContext& context);
std::unique_ptr<DeviceEnumerator> CreateLinuxDeviceEnumerator(const LinuxContext& context);
std::unique_ptr<DeviceNotifier> CreateLinuxDeviceNotifier(const LinuxContext& context);
std::unique_ptr<ServiceManager> CreateLinuxServiceManager(const LinuxContext& context);
std::unique_ptr<InstanceLock> CreateLinuxInstanceLock(const LinuxContext& context);
std::unique_ptr<InstanceLink> CreateLinuxInstanceLink(const LinuxContext& context);
std::unique_ptr<MessageBus> CreateLinuxMessageBus(const LinuxContext& context);
// Serves only when AUDIO77_AUTOMATION=1; calls always.
std::unique_ptr<AutomationEndpoint> CreateLinuxAutomationEndpoint(const LinuxContext& context);
// The user's sound server (PipeWire's PulseAudio server or PulseAudio), one
// connection shared by the four services, made on first use.
SoundServices CreateLinuxSoundServices(const LinuxContext& context);
// Sound cards of our own in the user's sound server (the virtual device's).
std::unique_ptr<SoundCardHost> CreateLinuxSoundCardHost(const LinuxContext& context);
// Web addresses and plug-in programs.
std::unique_ptr<Shell> CreateLinuxShell();
// The desktop's language and light or dark look.
std::unique_ptr<DesktopPreferences> CreateLinuxDesktopPreferences();

}  // namespace audio77
