// The driver-extension presence on Linux: a sound card of the kernel bound
// to a USB device with the IDs.
#include "platform/linux/SoundCardExtension.h"

#include <gtest/gtest.h>

#include "UsbTestbed.h"
#include "device/ExtensionTransport.h"

namespace audio77 {
namespace {

TEST(SoundCardExtension, PresentOnlyWithASoundCardOfADeviceWithTheIds) {
  struct Case {
    const char* what;
    std::vector<test::UsbDeviceSetup> devices;
    int presence;
  };
  const Case cases[] = {
      {"card bound", {{}}, 0},
      {"no device", {}, 1},
      {"device without a card", {{.sound_card = false}}, 1},
      {"card of other IDs", {{.product_id = 0x7720}}, 1},
      {"card of another vendor beside the device",
       {{.vendor_id = 0x046D, .port = "1-2", .number = 1}, {.sound_card = false}},
       1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::UsbTestbed testbed;
    for (const auto& device : c.devices) testbed.Plug(device);
    SoundCardExtension extension("/sys");
    ExtensionPath path;
    ExtensionTransport transport(extension, path);
    EXPECT_EQ(transport.PresenceTest(0x2E8D, 0x771F), c.presence);
  }
}

TEST(SoundCardExtension, RequestsFailWhileThePathOpens) {
  test::UsbTestbed testbed;
  testbed.Plug();
  SoundCardExtension extension("/sys");
  ExtensionPath path;
  ExtensionTransport transport(extension, path);
  ASSERT_EQ(transport.PresenceTest(0x2E8D, 0x771F), 0);
  std::uint32_t value = 5;
  EXPECT_EQ(transport.Query(0, value), 2);
  EXPECT_EQ(value, 5u);
  EXPECT_EQ(transport.StatusQuery(value), 2);
  EXPECT_EQ(transport.SelectEffect(2), 2);
  EXPECT_EQ(transport.ApplyEffect(1), 2);
}

TEST(SoundCardExtension, OnlyExtensionPathsOpen) {
  test::UsbTestbed testbed;
  testbed.Plug();
  SoundCardExtension extension("/sys");
  EXPECT_TRUE(extension.Open("\\\\.\\Class#UsbAudioExtension&2E8D&771F"));
  EXPECT_TRUE(extension.Open("\\\\.\\Class#UsbAudioExtension&2e8d&771f"));
  for (const char* path :
       {"", "\\\\.\\Class#UsbAudioExtension&2E8D&771", "\\\\.\\Class#UsbAudioExtension&2E8D-771F",
        "\\\\.\\Class#UsbAudioExtension&2E8D&771F0", "/dev/hidraw0",
        "\\\\.\\Class#UsbAudioExtension&+E8D&771F"}) {
    EXPECT_FALSE(extension.Open(path)) << path;
  }
}

}  // namespace
}  // namespace audio77
