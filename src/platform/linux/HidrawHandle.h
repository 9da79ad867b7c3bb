#pragma once
// One open hidraw node. Closes its descriptor when destroyed.

#include <string>

#include "platform/HidBackend.h"
#include "platform/linux/HidrawDeviceIo.h"

namespace audio77 {

class HidrawHandle final : public HidHandle {
 public:
  // How long the input fallback waits for the device's next report.
  static constexpr int kInterruptReportTimeoutMs = 1000;

  // node_dir is the node's sysfs folder (…/class/hidraw/hidrawN), read when
  // the node itself does not answer.
  HidrawHandle(HidrawDeviceIo& io, int fd, std::string node_dir);
  ~HidrawHandle() override;
  HidrawHandle(const HidrawHandle&) = delete;
  HidrawHandle& operator=(const HidrawHandle&) = delete;

  std::optional<HidAttributes> Attributes() override;
  std::optional<HidCapabilities> Capabilities() override;
  bool SetOutputReport(std::span<const std::uint8_t> report) override;
  bool GetInputReport(std::span<std::uint8_t> report) override;

 private:
  HidrawDeviceIo& io_;
  int fd_;
  std::string node_dir_;
};

}  // namespace audio77
