#pragma once
// A umockdev testbed holding one USB audio device as the kernel shows it:
//   usb1/1-1                      the USB device (idVendor, idProduct, bcdDevice)
//   1-1:1.0                       audio control interface, a sound card bound to it
//   1-1:1.3                       HID interface
//   1-1:1.3/0003:VVVV:PPPP.0001   the HID device, its hidraw node /dev/hidraw0
// The hidraw node is played by a HidFirmware. The test process must run
// under libumockdev-preload (UmockdevMain.cpp sees to it).

#include <umockdev.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "HidFirmware.h"

namespace audio77::test {

struct UsbDeviceSetup {
  std::uint16_t vendor_id = 0x2E8D;
  std::uint16_t product_id = 0x771F;
  bool sound_card = true;
  bool hid = true;
  std::string port = "1-1";  // the USB device's name on bus 1
  unsigned number = 0;       // hidrawN and sound card N + 1: one per device of a testbed
};

class UsbTestbed {
 public:
  UsbTestbed();
  ~UsbTestbed();
  UsbTestbed(const UsbTestbed&) = delete;
  UsbTestbed& operator=(const UsbTestbed&) = delete;

  // Adds a device (arrival events go out for each part); its firmware when
  // it has a HID interface.
  HidFirmware* Plug(const UsbDeviceSetup& setup = {});
  // Removal events for every part of the device, then its sysfs tree goes.
  void Unplug(const UsbDeviceSetup& setup = {});

  std::string UsbDevicePath(const UsbDeviceSetup& setup) const;
  UMockdevTestbed* get() { return testbed_; }

 private:
  UMockdevTestbed* testbed_;
  std::map<std::string, std::unique_ptr<HidFirmware>> firmware_;  // by port
};

}  // namespace audio77::test
