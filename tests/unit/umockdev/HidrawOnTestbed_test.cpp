// Device enumeration, the hidraw backend and the register exchange on an
// emulated device node.
#include <gtest/gtest.h>

#include "UsbTestbed.h"
#include "device/HidTransport.h"
#include "platform/linux/HidrawBackend.h"
#include "platform/linux/SysfsDeviceEnumerator.h"

namespace audio77 {
namespace {

using test::Bytes;

class HidrawOnTestbed : public ::testing::Test {
 protected:
  HidrawBackend backend_{HidrawDeviceIo::System(), "/sys/class/hidraw", "/dev"};
  HidTransport transport_{backend_};
  test::UsbTestbed testbed_;
};

// A report of the output length (1 report-ID byte + 8) with bytes 1 to 4 set.
Bytes Report(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) {
  Bytes report(9, 0);
  report[1] = b1;
  report[2] = b2;
  report[3] = b3;
  report[4] = b4;
  return report;
}

TEST_F(HidrawOnTestbed, EnumeratorListsEveryInterfaceOfTheDevice) {
  testbed_.Plug();
  testbed_.Plug({.vendor_id = 0x046D,
                 .product_id = 0xC31C,
                 .sound_card = false,
                 .hid = false,
                 .port = "1-2"});
  const auto devices = SysfsDeviceEnumerator("/sys/bus/usb/devices").ListPresentDevices();
  ASSERT_TRUE(devices);
  std::vector<std::string> ids;
  for (const auto& device : *devices) ids.push_back(device.hardware_ids.at(0));
  const std::vector<std::string> expected = {"USB\\VID_2E8D&PID_771F&REV_0100&MI_00",
                                             "USB\\VID_2E8D&PID_771F&REV_0100&MI_03",
                                             "USB\\VID_046D&PID_C31C&REV_0100&MI_00"};
  EXPECT_EQ(ids, expected);
}

TEST_F(HidrawOnTestbed, BackendFindsTheNodeWithItsIdsAndReportLengths) {
  testbed_.Plug();
  const auto paths = backend_.ListInterfaces();
  ASSERT_TRUE(paths);
  EXPECT_EQ(*paths, std::vector<std::string>{"/dev/hidraw0"});
  auto handle = backend_.Open("/dev/hidraw0");
  ASSERT_TRUE(handle);
  const auto attributes = handle->Attributes();
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->vendor_id, 0x2E8D);
  EXPECT_EQ(attributes->product_id, 0x771F);
  const auto caps = handle->Capabilities();
  ASSERT_TRUE(caps);
  EXPECT_EQ(caps->input_report_length, 9);
  EXPECT_EQ(caps->output_report_length, 9);
  EXPECT_FALSE(transport_.Open(0x2E8D, 0x7720));
}

TEST_F(HidrawOnTestbed, RegisterAndGpioExchangesReachTheFirmware) {
  test::HidFirmware* firmware = testbed_.Plug();
  for (const bool old_kernel : {false, true}) {
    SCOPED_TRACE(old_kernel ? "kernel without the report ioctls" : "kernel with the report ioctls");
    firmware->SetOldKernel(old_kernel);
    firmware->ClearOutputs();
    firmware->SetRegister(0x0042, 0x5A);
    auto handle = transport_.Open(0x2E8D, 0x771F);
    ASSERT_TRUE(handle);

    EXPECT_EQ(HidTransport::RegisterWrite(handle.get(), 0x18A, 5), 0);
    EXPECT_EQ(firmware->Register(0x18A), 5);
    std::uint8_t value = 0;
    EXPECT_EQ(HidTransport::RegisterRead(handle.get(), 0x0042, value), 0);
    EXPECT_EQ(value, 0x5A);
    GpioLines lines{1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(HidTransport::GpioWrite(handle.get(), lines), 0);
    EXPECT_EQ(firmware->Gpio(), 0x201);
    firmware->SetGpio(0x106);
    EXPECT_EQ(HidTransport::GpioRead(handle.get(), lines), 0);
    EXPECT_EQ(lines, (GpioLines{0, 1, 1, 0, 0, 0, 0, 0, 1, 0}));

    const std::vector<Bytes> expected = {
        Report(0x60, 0x8A, 0x01, 0x10), Report(0x60, 0x05, 0x01, 0x20),
        Report(0x60, 0x42, 0x00, 0x10), Report(0x60, 0x01, 0xFF, 0x3E),
        Report(0x60, 0x00, 0x00, 0x30)};
    EXPECT_EQ(firmware->Outputs(), expected);
  }
}

TEST_F(HidrawOnTestbed, AnUnpluggedNodeFailsEveryExchange) {
  test::HidFirmware* firmware = testbed_.Plug();
  auto handle = transport_.Open(0x2E8D, 0x771F);
  ASSERT_TRUE(handle);
  firmware->Unplug();
  std::uint8_t value = 7;
  EXPECT_EQ(HidTransport::RegisterWrite(handle.get(), 0x18A, 5),
            2);  // the set-address report fails
  EXPECT_NE(HidTransport::RegisterRead(handle.get(), 0x18A, value), 0);
  EXPECT_EQ(value, 7);
}

}  // namespace
}  // namespace audio77
