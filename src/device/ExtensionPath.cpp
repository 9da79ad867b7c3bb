#include "device/ExtensionPath.h"

#include <cstdio>

namespace audio77 {

std::string ExtensionPath::Format(std::uint16_t vendor_id, std::uint16_t product_id) {
  char text[64];
  std::snprintf(text, sizeof text, "\\\\.\\Class#UsbAudioExtension&%.4X&%.4X", vendor_id,
                product_id);
  return text;
}

std::string ExtensionPath::Get() const {
  std::lock_guard lock(mutex_);
  return path_;
}

void ExtensionPath::Select(std::uint16_t vendor_id, std::uint16_t product_id) {
  const std::string path = Format(vendor_id, product_id);
  std::lock_guard lock(mutex_);
  path_ = path;
}

void ExtensionPath::Clear() {
  std::lock_guard lock(mutex_);
  path_.clear();
}

}  // namespace audio77
