#include "platform/linux/SysfsDeviceEnumerator.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace audio77 {
namespace {

TEST(SysfsDeviceEnumerator, EveryInterfaceGivesItsHardwareIdInBusOrder) {
  SysfsDeviceEnumerator enumerator(test::FixturePath("sysfs/usb_devices").string());
  const auto devices = enumerator.ListPresentDevices();
  ASSERT_TRUE(devices);
  std::vector<std::vector<std::string>> ids;
  for (const auto& device : *devices) ids.push_back(device.hardware_ids);
  const std::vector<std::vector<std::string>> expected = {
      {"USB\\VID_046D&PID_C31C&REV_4901&MI_00", "USB\\VID_046D&PID_C31C&MI_00"},
      {"USB\\VID_046D&PID_C31C&REV_4901&MI_01", "USB\\VID_046D&PID_C31C&MI_01"},
      // Not configured yet: no interfaces, and no revision file.
      {"USB\\VID_0BDA&PID_8153&REV_0000", "USB\\VID_0BDA&PID_8153"},
      // 1-4 has an unreadable vendor ID and is left out.
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_00", "USB\\VID_2E8D&PID_771F&MI_00"},
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_01", "USB\\VID_2E8D&PID_771F&MI_01"},
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_02", "USB\\VID_2E8D&PID_771F&MI_02"},
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_03", "USB\\VID_2E8D&PID_771F&MI_03"},
      {"USB\\VID_1D6B&PID_0002&REV_0515&MI_00", "USB\\VID_1D6B&PID_0002&MI_00"},
  };
  EXPECT_EQ(ids, expected);
}

TEST(SysfsDeviceEnumerator, NoListWithoutTheFolderAndAnEmptyOneWithoutDevices) {
  EXPECT_FALSE(SysfsDeviceEnumerator("/nonexistent/sys/bus/usb/devices").ListPresentDevices());
  test::TempDir empty;
  const auto devices = SysfsDeviceEnumerator(empty.path().string()).ListPresentDevices();
  ASSERT_TRUE(devices);
  EXPECT_TRUE(devices->empty());
}

}  // namespace
}  // namespace audio77
