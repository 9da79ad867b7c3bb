#pragma once
// The text that names the audio driver's extension device of the current
// device. Every extension request opens the path held here, so the one
// object is shared by everything that talks to the same device; a device
// search can set it without opening the device.

#include <cstdint>
#include <mutex>
#include <string>

namespace audio77 {

class ExtensionPath {
 public:
  // "\\.\Class#UsbAudioExtension&VVVV&PPPP", four upper-case hexadecimal digits each.
  static std::string Format(std::uint16_t vendor_id, std::uint16_t product_id);

  // Empty until a device was selected.
  std::string Get() const;
  // Selects the path of a device; nothing is opened.
  void Select(std::uint16_t vendor_id, std::uint16_t product_id);
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::string path_;
};

}  // namespace audio77
