#pragma once
// The platform of tests and of the demo: every device service answered by the
// virtual 77xx device, files under a home and program folder of the caller's
// choosing.

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/PlatformServices.h"
#include "platform/SoundCardHost.h"

namespace audio77::sim {

struct VirtualPlatformOptions {
  std::string state_folder;    // empty: the default state folder
  std::string program_path;    // the running program file; its folder is the program folder
  std::string home;            // the user's home; empty: $HOME
  std::unique_ptr<DebugOutput> debug;  // null: a recorder
  std::unique_ptr<Clock> clock;        // null: a manual clock
  std::unique_ptr<FileGuard> files;    // null: writers of this process only are serialised
  // null: served and called inside the process (tests); the program puts the
  // session-bus endpoint here so that audio77ctl reaches it.
  std::unique_ptr<AutomationEndpoint> automation;
  // The sound server is a desktop service, not the device's: the program puts
  // the real one here. Members left null: no sound server (tests).
  SoundServices sound;
  // Where the virtual device shows its sink and microphone while plugged in;
  // null: nowhere (tests).
  std::unique_ptr<SoundCardHost> sound_cards;
  // null: a recorder (tests); the program puts the desktop's shell here.
  std::unique_ptr<Shell> shell;
  // null: the environment's locale and GTK theme (tests set them).
  std::unique_ptr<DesktopPreferences> desktop;
  // null: messages stay inside the process (tests); the program puts the
  // session bus here, where its plug-ins listen.
  std::unique_ptr<MessageBus> bus;
};

std::unique_ptr<PlatformHost> CreateVirtualPlatform(VirtualPlatformOptions options);

}  // namespace audio77::sim
