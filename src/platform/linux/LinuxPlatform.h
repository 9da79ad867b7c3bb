#pragma once
// The production platform: every service from Linux.

#include <memory>

#include "platform/Platform.h"

namespace audio77 {

std::unique_ptr<PlatformHost> CreateLinuxPlatform();

}  // namespace audio77
