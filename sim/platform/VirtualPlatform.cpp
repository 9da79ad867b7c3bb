#include "sim/platform/VirtualPlatform.h"

#include <cstdlib>

#include "platform/EnvironmentDesktopPreferences.h"
#include "platform/FixedFolders.h"
#include "platform/InProcessFileGuard.h"
#include "platform/InProcessAutomationEndpoint.h"
#include "platform/ManualClock.h"
#include "platform/PlatformServices.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/RecordingShell.h"
#include "sim/core/StateFolder.h"
#include "sim/platform/VirtualServices.h"
#include "sim/platform/VirtualSoundDevice.h"

namespace audio77::sim {
namespace {

std::string HomeOrEnvironment(const std::string& home) {
  if (!home.empty()) return home;
  const char* value = std::getenv("HOME");
  return value != nullptr ? std::string(value) : std::string("/tmp");
}

// The bundle, and the virtual device's sound card in the user's server.
class SoundCardPlatformHost final : public PlatformHost {
 public:
  SoundCardPlatformHost(std::unique_ptr<PlatformHost> platform, std::unique_ptr<SoundCardHost> cards)
      : platform_(std::move(platform)),
        cards_(std::move(cards)),
        sound_device_(std::make_unique<VirtualSoundDevice>(VirtualDevice::Instance(), *cards_)) {}
  Platform& Get() override { return platform_->Get(); }

 private:
  std::unique_ptr<PlatformHost> platform_;
  std::unique_ptr<SoundCardHost> cards_;
  std::unique_ptr<VirtualSoundDevice> sound_device_;  // last: gone first, its card with it
};

}  // namespace

std::unique_ptr<PlatformHost> CreateVirtualPlatform(VirtualPlatformOptions options) {
  PlatformServices services;
  services.debug = options.debug ? std::move(options.debug) : std::make_unique<RecordingDebugOutput>();
  services.clock = options.clock ? std::move(options.clock) : std::make_unique<ManualClock>();
  services.folders =
      std::make_unique<FixedFolders>(options.program_path, HomeOrEnvironment(options.home));
  const VirtualContext context{
      *services.debug, *services.clock, *services.folders,
      options.state_folder.empty() ? DefaultStateFolder() : options.state_folder};
  services.files = options.files ? std::move(options.files) : std::make_unique<InProcessFileGuard>();
  services.registry = CreateVirtualRegistry(context, *services.files);
  services.loader = CreateVirtualDynamicLibrary(context);
  services.hid = CreateVirtualHidBackend(context);
  services.extension = CreateVirtualDriverExtension(context);
  services.devices = CreateVirtualDeviceEnumerator(context);
  services.notifier = CreateVirtualDeviceNotifier(context);
  services.services = CreateVirtualServiceManager(context);
  services.instance_lock = CreateVirtualInstanceLock(context);
  services.instance_link = CreateVirtualInstanceLink(context);
  services.bus = options.bus ? std::move(options.bus) : CreateVirtualMessageBus(context);
  services.automation = options.automation ? std::move(options.automation)
                                           : std::make_unique<InProcessAutomationEndpoint>();
  services.shell = options.shell ? std::move(options.shell) : std::make_unique<RecordingShell>();
  services.desktop = options.desktop ? std::move(options.desktop) : std::make_unique<EnvironmentDesktopPreferences>();
  services.sound = options.sound.endpoints ? std::move(options.sound) : SoundServices::None();
  auto platform = std::make_unique<OwningPlatformHost>(std::move(services));
  if (!options.sound_cards) return platform;
  return std::make_unique<SoundCardPlatformHost>(std::move(platform), std::move(options.sound_cards));
}

}  // namespace audio77::sim
