#pragma once
// Shared by the hardware library's entries.

#include <cstdint>

#include "device/DLLQK_UsbAudio77xx.h"

namespace audio77::hwlib {

// The largest buffer an entry accepts: bigger lengths are taken for garbage.
inline constexpr std::int32_t kMaxTransfer = 256;

}  // namespace audio77::hwlib
