#pragma once
// The audio driver's extension on Linux. There is no extension device: the
// kernel's USB audio driver serves the device, and the extension path stands
// for "the driver has bound a sound card to a USB device with these IDs".
// Opening the path succeeds exactly then; no request can be carried out yet
// (there is no effect backend), so every request fails.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/DriverExtension.h"

namespace audio77 {

class SoundCardExtension final : public DriverExtension {
 public:
  // sys_root is normally /sys.
  explicit SoundCardExtension(std::string sys_root) : sys_root_(std::move(sys_root)) {}

  // Null when the path is not an extension path or no sound card of the
  // kernel belongs to a USB device with its IDs.
  std::unique_ptr<ExtensionHandle> Open(const std::string& path) override;

  // Vendor and product from "\\.\Class#UsbAudioExtension&VVVV&PPPP".
  struct Ids {
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
  };
  static std::optional<Ids> ParsePath(const std::string& path);

  // Whether /sys/class/sound/card*/device leads up to a USB device with both IDs.
  bool HasSoundCard(Ids ids) const;

 private:
  std::string sys_root_;
};

}  // namespace audio77
