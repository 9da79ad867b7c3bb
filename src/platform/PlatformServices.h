#pragma once
// A PlatformHost that owns one implementation of every service.

#include <memory>

#include "platform/Platform.h"

namespace audio77 {

// The sound server's services, made together: they share one connection.
struct SoundServices {
  std::unique_ptr<AudioEndpoints> endpoints;
  std::unique_ptr<WaveIn> wave_in;
  std::unique_ptr<WaveOut> wave_out;
  std::unique_ptr<MediaPlayer> media;

  // Where there is no sound server: no endpoints, no capture, no playback.
  static SoundServices None();
};

struct PlatformServices {
  std::unique_ptr<DebugOutput> debug;
  std::unique_ptr<Clock> clock;
  std::unique_ptr<KnownFolders> folders;
  std::unique_ptr<FileGuard> files;  // before the registry, which writes through it
  std::unique_ptr<Registry> registry;
  std::unique_ptr<DynamicLibrary> loader;
  std::unique_ptr<HidBackend> hid;
  std::unique_ptr<DriverExtension> extension;
  std::unique_ptr<DeviceEnumerator> devices;
  std::unique_ptr<DeviceNotifier> notifier;
  std::unique_ptr<ServiceManager> services;
  std::unique_ptr<InstanceLock> instance_lock;
  std::unique_ptr<InstanceLink> instance_link;
  std::unique_ptr<MessageBus> bus;
  std::unique_ptr<AutomationEndpoint> automation;
  SoundServices sound;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<DesktopPreferences> desktop;
};

class OwningPlatformHost final : public PlatformHost {
 public:
  // Every member of services must be set.
  explicit OwningPlatformHost(PlatformServices services);
  Platform& Get() override { return platform_; }

 private:
  PlatformServices services_;
  Platform platform_;
};

}  // namespace audio77
