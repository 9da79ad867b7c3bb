#pragma once
// HID class driver of the virtual platform: the virtual device's vendor HID
// interface while it is plugged in.

#include "platform/HidBackend.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::sim {

class VirtualHidBackend final : public HidBackend {
 public:
  explicit VirtualHidBackend(VirtualDevice& device) : device_(device) {}
  std::optional<std::vector<std::string>> ListInterfaces() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;

 private:
  VirtualDevice& device_;
};

}  // namespace audio77::sim
