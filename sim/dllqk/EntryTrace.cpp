#include "sim/dllqk/EntryTrace.h"

#include <cmath>
#include <cstdio>
#include <span>

#include "sim/core/HexText.h"

namespace audio77::sim::dllqk {

std::int32_t Run(std::string_view name, bool needs_device,
                 const std::function<std::int32_t(DeviceState&)>& body,
                 const std::function<std::string()>& arguments) {
  return VirtualDevice::Instance().RunEntry(
      name, needs_device, [&](DeviceState& state, const DeviceSetup&) { return body(state); }, arguments);
}

std::int32_t Run(std::string_view name, bool needs_device,
                 const std::function<std::int32_t(DeviceState&, const DeviceSetup&)>& body,
                 const std::function<std::string()>& arguments) {
  return VirtualDevice::Instance().RunEntry(name, needs_device, body, arguments);
}

std::string Int(long long value) { return std::to_string(value); }

std::string Byte(std::uint8_t value) { return ByteText(value); }

std::string Float(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string Pointer(const void* pointer) { return pointer != nullptr ? "callback" : "null"; }

std::string Wide(const wchar_t* text, std::int32_t chars) {
  if (text == nullptr) return "null";
  std::string out = "\"";
  for (std::int32_t i = 0; i < chars && text[i] != L'\0'; ++i) {
    out += (text[i] >= 0x20 && text[i] < 0x7F) ? static_cast<char>(text[i]) : '?';
  }
  return out + "\"";
}

std::string Buffer(const std::uint8_t* data, std::int32_t length) {
  if (data == nullptr) return "null";
  if (length < 0 || length > kMaxTransfer) return "?";
  return HexBytes(std::span(data, static_cast<std::size_t>(length)));
}

std::string OutByte(const std::uint8_t* value) { return value != nullptr ? Byte(*value) : "null"; }
std::string OutInt(const std::int32_t* value) { return value != nullptr ? Int(*value) : "null"; }
std::string OutInt(const std::uint16_t* value) { return value != nullptr ? Int(*value) : "null"; }
std::string OutFloat(const float* value) { return value != nullptr ? Float(*value) : "null"; }

bool IsFlag(std::int32_t value) { return value == 0 || value == 1; }
bool IsDeviceIndex(std::uint8_t index) { return index == 0; }
bool IsFiniteFloat(float value) { return std::isfinite(value); }

}  // namespace audio77::sim::dllqk
