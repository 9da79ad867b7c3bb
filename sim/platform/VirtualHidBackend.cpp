#include "sim/platform/VirtualHidBackend.h"

namespace audio77::sim {
namespace {

// One open session with the device firmware; unplugging the device makes it fail.
class VirtualHidHandle final : public HidHandle {
 public:
  VirtualHidHandle(VirtualDevice& device, std::uint64_t session) : device_(device), session_(session) {}
  ~VirtualHidHandle() override { device_.HidClose(session_); }

  std::optional<HidAttributes> Attributes() override {
    const auto identity = device_.HidAttributes(session_);
    if (!identity) return std::nullopt;
    return HidAttributes{identity->vendor_id, identity->product_id, identity->revision};
  }
  std::optional<HidCapabilities> Capabilities() override {
    if (!device_.HidAttributes(session_)) return std::nullopt;
    return HidCapabilities{device_.InputReportLength(), device_.OutputReportLength()};
  }
  bool SetOutputReport(std::span<const std::uint8_t> report) override {
    return device_.HidOutput(session_, report);
  }
  bool GetInputReport(std::span<std::uint8_t> report) override { return device_.HidInput(session_, report); }

 private:
  VirtualDevice& device_;
  std::uint64_t session_;
};

}  // namespace

std::optional<std::vector<std::string>> VirtualHidBackend::ListInterfaces() {
  return device_.HidInterfaces();
}

std::unique_ptr<HidHandle> VirtualHidBackend::Open(const std::string& path) {
  const auto session = device_.HidOpen(path);
  if (!session) return nullptr;
  return std::make_unique<VirtualHidHandle>(device_, *session);
}

}  // namespace audio77::sim
