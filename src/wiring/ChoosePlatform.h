#pragma once
// Builds the platform that AUDIO77_PLATFORM names: "linux" (the default) or
// "virtual" (the virtual 77xx device, its state folder from AUDIO77_VIRTUAL_DIR).

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace audio77 {

enum class PlatformKind { kLinux, kVirtual };

// Throws std::invalid_argument for an unknown name.
PlatformKind PlatformKindFromEnvironment();

// Who uses the platform: the program, which shows the virtual device's sound
// card in the user's sound server while the device is plugged in, or a tool
// (audio77ctl), which must not add or take away the program's card.
enum class PlatformUser { kProgram, kTool };

// The virtual platform takes the running program's folder as its program
// folder and reports in real time, like the Linux one.
std::unique_ptr<PlatformHost> CreatePlatform(PlatformKind kind, PlatformUser user = PlatformUser::kProgram);

}  // namespace audio77
