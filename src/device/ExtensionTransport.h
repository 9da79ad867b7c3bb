#pragma once
// Requests to the audio driver's extension device. The presence test selects
// the extension path of the device; every later request opens the path that
// the shared ExtensionPath holds, so the presence test (or a device search
// that selected the path) must have run for the current device first.

#include <cstdint>
#include <string>

#include "device/ExtensionPath.h"
#include "platform/DriverExtension.h"

namespace audio77 {

class ExtensionTransport {
 public:
  static constexpr std::uint32_t kQueryCode = 0x00223028;
  static constexpr std::uint32_t kStatusQueryCode = 0x00223190;
  static constexpr std::uint32_t kSelectEffectCode = 0x08232008;
  static constexpr std::uint32_t kApplyEffectCode = 0x08232000;

  ExtensionTransport(DriverExtension& extension, ExtensionPath& path) : extension_(extension), path_(path) {}

  // Selects the path for the IDs; 0 when it opens, 1 when not.
  int PresenceTest(std::uint16_t vendor_id, std::uint16_t product_id);
  // 0 done (value replaced); 1 path does not open; 2 request failed;
  // 3 no bytes returned (value untouched).
  int Query(std::uint16_t selector, std::uint32_t& value);
  // 0 done; 1 path does not open; 2 request failed.
  int StatusQuery(std::uint32_t& value);
  int SelectEffect(std::uint32_t effect_index);
  int ApplyEffect(std::uint32_t value);

 private:
  // Opens the path, sends one request, closes the path.
  int Send(std::uint32_t code, const std::uint8_t* in, std::size_t in_size, std::uint8_t* out,
           std::size_t out_size, std::uint32_t& returned);

  DriverExtension& extension_;
  ExtensionPath& path_;
};

}  // namespace audio77
