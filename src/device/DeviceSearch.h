#pragma once
// The search for the present device to control: the first present device, in
// enumeration order, whose hardware ID is on a signed list.

#include <string>
#include <string_view>

#include "device/DeviceIdMgr.h"
#include "platform/DeviceEnumerator.h"

namespace audio77 {

// The audio device category, where the search starts.
inline constexpr std::string_view kAudioDeviceClassId = "{6994AD04-93EF-11D0-A3CC-00A0C9223196}";
// Only its length is used: listed hardware IDs are this long.
inline constexpr std::string_view kTemplateHardwareId = "USB\\VID_2E8D&PID_77XX&REV_0100&MI_00";

// 1 when a listed device was found (its first hardware ID is written to
// found) or when the device list cannot be obtained; 0 when none was found.
// found, when given, is emptied first, so a caller that parses it after a
// failed search reads no identifier.
int FindPresentListedDevice(DeviceEnumerator& devices, std::string_view class_id,
                            std::string_view template_id, const CDeviceIdMgr& manager,
                            std::string* found);

}  // namespace audio77
