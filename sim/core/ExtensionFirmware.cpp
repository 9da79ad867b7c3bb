#include "sim/core/ExtensionFirmware.h"

#include <algorithm>
#include <cstdio>

#include "sim/core/HexText.h"

namespace audio77::sim {
namespace {

// Driver extension requests.
constexpr std::uint32_t kExtensionQuery = 0x00223028;
constexpr std::uint32_t kExtensionStatus = 0x00223190;
constexpr std::uint32_t kSelectEffect = 0x08232008;
constexpr std::uint32_t kApplyEffect = 0x08232000;
constexpr std::int32_t kLastEffectIndex = 4;

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

void WriteInt32(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(raw >> (8 * i));
}

}  // namespace

std::string ExtensionFirmware::Path(std::uint16_t vendor_id, std::uint16_t product_id) {
  return "\\\\.\\Class#UsbAudioExtension&" + Hex4(vendor_id) + "&" + Hex4(product_id);
}

bool ExtensionFirmware::Open(DeviceRecord::Held& held, const std::string& path) {
  const auto& setup = held->setup;
  const bool ok = setup.present && !setup.faults.extension_missing &&
                  path == Path(setup.identity.vendor_id, setup.identity.product_id);
  held.Trace("ext open " + path + (ok ? " = ok" : " = fail"));
  return ok;
}

bool ExtensionFirmware::Control(DeviceRecord::Held& held, std::uint32_t code, std::span<const std::uint8_t> in,
                                std::span<std::uint8_t> out, std::uint32_t& returned) {
  returned = 0;
  const auto& setup = held->setup;
  const bool ok = setup.present && !setup.faults.extension_missing && Request(held, code, in, out, returned);
  char code_text[16];
  std::snprintf(code_text, sizeof code_text, "0x%08X", code);
  held.Trace(std::string("ext ioctl ") + code_text + " in=" + HexBytes(in) + (ok ? " = ok" : " = fail") +
             " out=" + HexBytes(out.first(ok ? returned : 0)));
  return ok;
}

bool ExtensionFirmware::Request(DeviceRecord::Held& held, std::uint32_t code, std::span<const std::uint8_t> in,
                                std::span<std::uint8_t> out, std::uint32_t& returned) {
  const SharedDevice& shared = *held;
  switch (code) {
    case kExtensionQuery: {
      if (in.size() != 8 || out.size() < 8) return false;
      const auto selector = static_cast<std::uint16_t>(in[2] | in[3] << 8);
      // Selector 0 answers the firmware revision; the driver knows no others.
      const std::int32_t value = selector == 0 ? shared.setup.identity.revision : 0;
      std::copy(in.begin(), in.end(), out.begin());
      WriteInt32(out, 4, value);
      returned = 8;
      return true;
    }
    case kExtensionStatus:
      if (in.size() != 8 || out.size() < 8) return false;
      WriteInt32(out, 0, 1);
      WriteInt32(out, 4, 1);  // driver ready
      returned = 8;
      return true;
    case kSelectEffect: {
      if (in.size() != 4) return false;
      const std::int32_t index = ReadInt32(in, 0);
      if (index < 0 || index > kLastEffectIndex) return false;
      held.State().effect_selected = index;
      return true;
    }
    case kApplyEffect:
      if (in.size() != 4 || ReadInt32(in, 0) != 1) return false;
      held.State().effect_applied = held.ReadState().effect_selected;
      return true;
    default:
      return false;
  }
}

}  // namespace audio77::sim
