#pragma once
// Helpers of the library module: running an entry on the virtual device and
// describing its arguments the way trace.log shows them (integers in decimal,
// bytes as 0x.., buffers as hex, floats with %g, out values after the call).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "device/DLLQK_UsbAudio77xx.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::sim::dllqk {

// The longest transfer one entry accepts.
inline constexpr std::int32_t kMaxTransfer = 256;

std::int32_t Run(std::string_view name, bool needs_device,
                 const std::function<std::int32_t(DeviceState&)>& body,
                 const std::function<std::string()>& arguments);
std::int32_t Run(std::string_view name, bool needs_device,
                 const std::function<std::int32_t(DeviceState&, const DeviceSetup&)>& body,
                 const std::function<std::string()>& arguments);

std::string Int(long long value);
std::string Byte(std::uint8_t value);
std::string Float(double value);
std::string Pointer(const void* pointer);
std::string Wide(const wchar_t* text, std::int32_t chars);
std::string Buffer(const std::uint8_t* data, std::int32_t length);
std::string OutByte(const std::uint8_t* value);
std::string OutInt(const std::int32_t* value);
std::string OutInt(const std::uint16_t* value);
std::string OutFloat(const float* value);

// Argument checks shared by the entries.
bool IsFlag(std::int32_t value);
bool IsDeviceIndex(std::uint8_t index);
bool IsFiniteFloat(float value);

}  // namespace audio77::sim::dllqk
