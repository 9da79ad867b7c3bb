#pragma once
// Device-interface names for Linux devices, built as the original platform
// builds them, from a sysfs device path:
//   HID    \\?\HID#VID_2E8D&PID_771F&MI_03#<instance>#{4d1e55b2-f16f-11cf-88cb-001111000030}
//   audio  \\?\USB#VID_2E8D&PID_771F&MI_00#<instance>#{6994ad04-93ef-11d0-a3cc-00a0c9223196}
//   USB    \\?\USB#VID_2E8D&PID_771F#<instance>#{a5dcbf10-6530-11d2-901f-00c04fb951ed}
// The instance part stands for the device's place on the bus: the same port
// gives the same instance.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace audio77 {

inline constexpr const char* kUsbDeviceInterfaceClass = "{A5DCBF10-6530-11D2-901F-00C04FB951ED}";

struct UsbIds {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  bool operator==(const UsbIds&) const = default;
};

class DeviceInterfaceNames {
 public:
  // Vendor and product from the HID device in a path
  // (".../0003:2E8D:771F.0005/hidraw/hidraw0").
  static std::optional<UsbIds> HidIds(std::string_view devpath);
  // Vendor and product from a PRODUCT property ("2e8d/771f/100").
  static std::optional<UsbIds> ProductIds(std::string_view product);
  // The interface number of the USB interface in a path (".../1-1:1.3/...").
  static std::optional<unsigned> InterfaceNumber(std::string_view devpath);
  // The path of the USB device a path lies in: up to the component before
  // the interface, or the path itself when it names no interface.
  static std::string UsbDevicePath(std::string_view devpath);

  static std::string Hid(UsbIds ids, std::optional<unsigned> interface_number,
                         std::string_view devpath);
  static std::string Audio(UsbIds ids, std::optional<unsigned> interface_number,
                           std::string_view devpath);
  static std::string UsbDevice(UsbIds ids, std::string_view devpath);
};

}  // namespace audio77
