#include "platform/linux/LinuxPlatform.h"

#include "platform/PlatformServices.h"
#include "platform/StderrDebugOutput.h"
#include "platform/SteadyClock.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {

PlatformServices CreateLinuxServices() {
  PlatformServices services;
  services.debug = std::make_unique<StderrDebugOutput>(StderrDebugOutput::EnabledByEnvironment());
  services.clock = std::make_unique<SteadyClock>();
  services.folders = CreateLinuxKnownFolders();
  const LinuxContext context{*services.debug, *services.clock, *services.folders};
  services.files = CreateLinuxFileGuard();
  services.loader = CreateLinuxDynamicLibrary(context);
  services.hid = CreateLinuxHidBackend(context);
  services.extension = CreateLinuxDriverExtension(context);
  services.devices = CreateLinuxDeviceEnumerator(context);
  services.notifier = CreateLinuxDeviceNotifier(context);
  services.services = CreateLinuxServiceManager(context);
  services.instance_lock = CreateLinuxInstanceLock(context);
  services.instance_link = CreateLinuxInstanceLink(context);
  services.bus = CreateLinuxMessageBus(context);
  services.automation = CreateLinuxAutomationEndpoint(context);
  services.sound = CreateLinuxSoundServices(context);
  services.shell = CreateLinuxShell();
  services.desktop = CreateLinuxDesktopPreferences();
  return services;
}

}  // namespace audio77
