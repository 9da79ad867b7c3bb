#include "sim/platform/VirtualDriverExtension.h"

namespace audio77::sim {
namespace {

class VirtualExtensionHandle final : public ExtensionHandle {
 public:
  explicit VirtualExtensionHandle(VirtualDevice& device) : device_(device) {}
  bool Control(std::uint32_t code, std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
               std::uint32_t& returned) override {
    return device_.ExtensionControl(code, in, out, returned);
  }

 private:
  VirtualDevice& device_;
};

}  // namespace

std::unique_ptr<ExtensionHandle> VirtualDriverExtension::Open(const std::string& path) {
  if (!device_.ExtensionOpen(path)) return nullptr;
  return std::make_unique<VirtualExtensionHandle>(device_);
}

}  // namespace audio77::sim
