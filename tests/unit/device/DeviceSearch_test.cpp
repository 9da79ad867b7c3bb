#include "device/DeviceSearch.h"

#include <gtest/gtest.h>

#include "MemoryRegistry.h"
#include "device/SignedText.h"
#include "device/VidPid.h"

namespace audio77 {
namespace {

class ListedDevices final : public DeviceEnumerator {
 public:
  std::optional<std::vector<PresentDevice>> devices = std::vector<PresentDevice>{};
  std::optional<std::vector<PresentDevice>> ListPresentDevices() override { return devices; }
};

void List(CDeviceIdMgr& manager, const std::vector<std::string>& patterns) {
  test::MemoryRegistry registry;
  int n = 1;
  for (const auto& pattern : patterns) {
    registry.SetString("SOFTWARE\\Group", std::to_string(n++), pattern + "," + SignedText::Sign(pattern));
  }
  EXPECT_EQ(manager.LoadFromRegistry(registry, "Group"), 0);
}

TEST(FindPresentListedDevice, FirstListedDeviceInEnumerationOrderWins) {
  CDeviceIdMgr manager;
  List(manager, {"USB\\VID_2E8D&PID_77XX&REV_0100&MI_00", "HID\\VID_2E8D&PID_77XX"});
  ListedDevices devices;
  devices.devices = std::vector<PresentDevice>{
      {{}},                                                     // property unreadable
      {{"HID\\VID_2E8D&PID_771F", "HID\\VID_2E8D"}},           // listed, but not of the template's length
      {{"USB\\VID_046D&PID_0A44&REV_0100&MI_00"}},             // not listed
      {{"USB\\VID_2E8D&PID_771F&REV_0100&MI_01", "USB\\VID_2E8D&PID_771F&REV_0100&MI_00"}},  // only the first string counts
      {{"USB\\VID_2E8D&PID_7720&REV_0100&MI_00"}},
      {{"USB\\VID_2E8D&PID_771F&REV_0100&MI_00"}},
  };
  std::string found = "stale";
  EXPECT_EQ(FindPresentListedDevice(devices, kAudioDeviceClassId, kTemplateHardwareId, manager, &found), 1);
  EXPECT_EQ(found, "USB\\VID_2E8D&PID_7720&REV_0100&MI_00");
  EXPECT_EQ(FindPresentListedDevice(devices, kAudioDeviceClassId, kTemplateHardwareId, manager, nullptr), 1);
}

TEST(FindPresentListedDevice, NothingFoundOrNoListLeavesNoIdentifierToParse) {
  CDeviceIdMgr manager;
  List(manager, {"USB\\VID_2E8D&PID_77XX&REV_0100&MI_00"});
  ListedDevices devices;
  devices.devices = std::vector<PresentDevice>{{{"USB\\VID_046D&PID_0A44&REV_0100&MI_00"}}};
  for (int pass = 0; pass < 2; ++pass) {
    const int expected = pass == 0 ? 0 : 1;  // a missing list counts as found
    std::string found = "USB\\VID_1111&PID_2222&REV_0100&MI_00";
    EXPECT_EQ(FindPresentListedDevice(devices, kAudioDeviceClassId, kTemplateHardwareId, manager, &found), expected);
    EXPECT_EQ(found, "");
    std::uint16_t vid = 9, pid = 9;
    ParseVidPid(found, vid, pid);
    EXPECT_EQ(vid, 0);
    EXPECT_EQ(pid, 0);
    devices.devices.reset();
  }
}

TEST(ParseVidPid, MarkersAndShortTexts) {
  struct Case {
    std::string text;
    std::uint16_t vid;
    std::uint16_t pid;
  };
  const Case cases[] = {
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_00", 0x2E8D, 0x771F},
      {"\\\\?\\USB#Vid_2e8d&Pid_771f&MI_03#7&1a2b3c4d&0&0003#{a5dcbf10}", 0x2E8D, 0x771F},
      {"USB\\VID_2E8D&PID_77XX", 0x2E8D, 0x77},
      {"HID\\Vid_0D8C", 0x0D8C, 0},
      {"no markers", 0, 0},
      {"PID_1234 only", 0, 0},
      {"VID_", 0, 0},
      {"VID_2E", 0x2E, 0},
      {"VID_2E8D&PID_7", 0x2E8D, 0x7},
      {"VID_12345&PID_67890", 0x1234, 0x6789},
      {"vid_2e8d&pid_771f", 0, 0},
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    std::uint16_t vid = 0xFFFF, pid = 0xFFFF;
    ParseVidPid(c.text, vid, pid);
    EXPECT_EQ(vid, c.vid) << c.text;
    EXPECT_EQ(pid, c.pid) << c.text;
  }
}

}  // namespace
}  // namespace audio77
