#pragma once
// The audio driver's extension device of the virtual platform.

#include "platform/DriverExtension.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::sim {

class VirtualDriverExtension final : public DriverExtension {
 public:
  explicit VirtualDriverExtension(VirtualDevice& device) : device_(device) {}
  std::unique_ptr<ExtensionHandle> Open(const std::string& path) override;

 private:
  VirtualDevice& device_;
};

}  // namespace audio77::sim
