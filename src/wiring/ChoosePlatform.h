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

// The virtual platform takes the running program's folder as its program
// folder and reports in real time, like the Linux one.
std::unique_ptr<PlatformHost> CreatePlatform(PlatformKind kind);

}  // namespace audio77
