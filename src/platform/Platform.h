#pragma once
// Every operating-system service the program uses, as one bundle of
// references. main() builds it from platform/linux or from the virtual device;
// tests build it from the virtual device.

#include <memory>

#include "platform/AudioEndpoints.h"
#include "platform/AutomationEndpoint.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/DesktopPreferences.h"
#include "platform/DeviceEnumerator.h"
#include "platform/DeviceNotifier.h"
#include "platform/DriverExtension.h"
#include "platform/DynamicLibrary.h"
#include "platform/FileGuard.h"
#include "platform/HidBackend.h"
#include "platform/InstanceLink.h"
#include "platform/InstanceLock.h"
#include "platform/KnownFolders.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBus.h"
#include "platform/Registry.h"
#include "platform/ServiceManager.h"
#include "platform/WaveIn.h"
#include "platform/WaveOut.h"
#include "platform/Shell.h"

namespace audio77 {

struct Platform {
  DebugOutput& debug;
  Clock& clock;
  KnownFolders& folders;
  FileGuard& files;
  Registry& registry;
  DynamicLibrary& loader;
  HidBackend& hid;
  DriverExtension& extension;
  DeviceEnumerator& devices;
  DeviceNotifier& notifier;
  ServiceManager& services;
  InstanceLock& instance_lock;
  InstanceLink& instance_link;
  MessageBus& bus;
  AutomationEndpoint& automation;
  // The sound server: the device's capture endpoint, capture and playback.
  AudioEndpoints& endpoints;
  WaveIn& wave_in;
  WaveOut& wave_out;
  MediaPlayer& media;
  Shell& shell;
  DesktopPreferences& desktop;
};

// Owns the implementations behind one Platform bundle.
class PlatformHost {
 public:
  virtual ~PlatformHost() = default;
  virtual Platform& Get() = 0;
};

}  // namespace audio77
