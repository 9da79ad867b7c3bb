#pragma once
// The production platform: every service from Linux.

#include "platform/PlatformServices.h"

namespace audio77 {

// Every service but the registry: the registry store is settings code above
// the platform, so the wiring adds it (over the folders and the file guard
// made here) before the bundle is complete.
PlatformServices CreateLinuxServices();

}  // namespace audio77
