#pragma once
// HID interfaces on Linux: the hidraw nodes that sysfs lists, opened through
// /dev, with report lengths computed from each node's report descriptor.

#include <string>

#include "platform/HidBackend.h"
#include "platform/linux/HidrawDeviceIo.h"

namespace audio77 {

class HidrawBackend final : public HidBackend {
 public:
  // class_dir lists the nodes (normally /sys/class/hidraw); device_dir holds
  // the nodes themselves (normally /dev).
  HidrawBackend(HidrawDeviceIo& io, std::string class_dir, std::string device_dir);

  // Node paths in node-number order.
  std::optional<std::vector<std::string>> ListInterfaces() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;

  // Vendor and product from a uevent text's HID_ID line ("HID_ID=0003:00002E8D:0000771F").
  static std::optional<HidAttributes> ParseUevent(const std::string& uevent);

 private:
  HidrawDeviceIo& io_;
  std::string class_dir_;
  std::string device_dir_;
};

}  // namespace audio77
