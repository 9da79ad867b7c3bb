#include "platform/linux/DeviceInterfaceNames.h"

#include <gtest/gtest.h>

namespace audio77 {
namespace {

TEST(DeviceInterfaceNames, PartsOfSysfsPaths) {
  const std::string hidraw =
      "/devices/pci0000:00/0000:00:14.0/usb1/1-1.4/1-1.4:1.3/0003:2E8D:771F.0005/hidraw/hidraw2";
  ASSERT_TRUE(DeviceInterfaceNames::HidIds(hidraw));
  EXPECT_EQ(*DeviceInterfaceNames::HidIds(hidraw), (UsbIds{0x2E8D, 0x771F}));
  EXPECT_EQ(DeviceInterfaceNames::InterfaceNumber(hidraw), 3u);
  EXPECT_EQ(DeviceInterfaceNames::UsbDevicePath(hidraw),
            "/devices/pci0000:00/0000:00:14.0/usb1/1-1.4");
  EXPECT_FALSE(
      DeviceInterfaceNames::HidIds("/devices/virtual/misc/uhid/0003:2E8D:771F/hidraw/hidraw0"));
  EXPECT_FALSE(
      DeviceInterfaceNames::InterfaceNumber("/devices/pci0000:00/0000:00:1f.3/sound/card0"));
  EXPECT_EQ(DeviceInterfaceNames::ProductIds("2e8d/771f/100"), (UsbIds{0x2E8D, 0x771F}));
  EXPECT_FALSE(DeviceInterfaceNames::ProductIds("2e8d/771f"));
  EXPECT_FALSE(DeviceInterfaceNames::ProductIds("12e8d/771f/100"));
  // The same port gives the same instance; another port another one.
  const auto name = [](const std::string& path) {
    return DeviceInterfaceNames::Hid({0x2E8D, 0x771F}, 3u, path);
  };
  EXPECT_EQ(name("/devices/usb1/1-1/1-1:1.3/x"), name("/devices/usb1/1-1/1-1:1.0/y"));
  EXPECT_NE(name("/devices/usb1/1-1/1-1:1.3/x"), name("/devices/usb1/1-2/1-2:1.3/x"));
}

}  // namespace
}  // namespace audio77
