#include "wiring/ChoosePlatform.h"

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/StderrDebugOutput.h"
#include "platform/SteadyClock.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/LinuxServices.h"
#include "settings/RegistryStore.h"
#include "platform/linux/SessionAutomationEndpoint.h"
#include "sim/core/StateFolder.h"
#include "sim/platform/VirtualPlatform.h"

namespace audio77 {

PlatformKind PlatformKindFromEnvironment() {
  const char* value = std::getenv("AUDIO77_PLATFORM");
  const std::string_view name = value != nullptr ? value : "";
  if (name.empty() || name == "linux") return PlatformKind::kLinux;
  if (name == "virtual") return PlatformKind::kVirtual;
  throw std::invalid_argument("AUDIO77_PLATFORM must be \"linux\" or \"virtual\", not \"" +
                              std::string(name) + "\"");
}

std::unique_ptr<PlatformHost> CreatePlatform(PlatformKind kind, PlatformUser user) {
  if (kind == PlatformKind::kLinux) {
    PlatformServices services = CreateLinuxServices();
    services.registry = std::make_unique<RegistryStore>(RegistryStore::InstalledPathFor(*services.folders),
                                                        RegistryStore::UserPathFor(*services.folders), *services.files);
    return std::make_unique<OwningPlatformHost>(std::move(services));
  }
  sim::VirtualPlatformOptions options;
  options.program_path = CreateLinuxKnownFolders()->ProgramPath();
  // A person runs the virtual device in real time and reads its diagnostics
  // the same way as on hardware.
  options.debug = std::make_unique<StderrDebugOutput>(StderrDebugOutput::EnabledByEnvironment());
  options.clock = std::make_unique<SteadyClock>();
  // The program and audio77ctl share the state folder's files.
  options.files = CreateLinuxFileGuard();
  // A real program on the virtual device is always driven from outside over
  // the session bus, under a name of its own virtual device.
  options.automation = std::make_unique<SessionAutomationEndpoint>(
      [] { return QDBusConnection::sessionBus(); },
      SessionAutomationEndpoint::VirtualBusName(sim::DefaultStateFolder()), true);
  // The virtual device's endpoints live in the user's own sound server.
  const auto folders = CreateLinuxKnownFolders();
  const LinuxContext context{*options.debug, *options.clock, *folders};
  options.sound = CreateLinuxSoundServices(context);
  if (user == PlatformUser::kProgram) options.sound_cards = CreateLinuxSoundCardHost(context);
  // Opening a web address or starting a plug-in is the desktop's, not the device's.
  options.shell = CreateLinuxShell();
  options.desktop = CreateLinuxDesktopPreferences();
  // So are the registered messages its plug-ins exchange with it.
  options.bus = CreateLinuxMessageBus(context);
  return sim::CreateVirtualPlatform(std::move(options));
}

}  // namespace audio77
