#pragma once
// Where a USB device shows up on Linux, for people and for the doctor: its
// sysfs folder, its hidraw nodes (the vendor interface among them), its ALSA
// sound card, and who may open a node.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace audio77::ctl {

struct HidrawNode {
  std::string node;   // /dev/hidrawN
  std::string sysfs;  // /sys/class/hidraw/hidrawN
  // Whether its report descriptor declares output reports long enough for
  // the register exchange: the device's vendor interface.
  bool vendor_interface = false;
};

class LinuxDeviceNodes {
 public:
  // sys_root and dev_root are normally /sys and /dev.
  LinuxDeviceNodes(std::string sys_root, std::string dev_root);

  // /sys/bus/usb/devices/<name> of the first USB device with both IDs.
  std::optional<std::string> UsbDevice(std::uint16_t vendor_id, std::uint16_t product_id) const;
  // Names of the USB devices of one vendor, as "vvvv:pppp" (lsusb's spelling).
  std::vector<std::string> UsbIdsOfVendor(std::uint16_t vendor_id) const;
  // The device's hidraw nodes in node-number order.
  std::vector<HidrawNode> HidrawNodes(std::uint16_t vendor_id, std::uint16_t product_id) const;
  // "cardN" of the sound card the kernel bound to the device.
  std::optional<std::string> SoundCard(std::uint16_t vendor_id, std::uint16_t product_id) const;

  // "2e8d:771f".
  static std::string UsbId(std::uint16_t vendor_id, std::uint16_t product_id);

 private:
  std::string sys_root_;
  std::string dev_root_;
};

}  // namespace audio77::ctl
