// The virtual device itself: device.ini, presence with its notifications, and
// commands from other processes through the state folder.
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>

#include "SimFixture.h"
#include "sim/core/DeviceSubscription.h"
#include "sim/platform/VirtualDeviceEnumerator.h"

namespace audio77::sim {
namespace {

// Collects notifications; waits for them when they come from the device's thread.
class Notifications {
 public:
  explicit Notifications(VirtualDevice& device)
      : subscription_(device, [this](const DeviceNotification& n) {
          std::lock_guard lock(mutex_);
          seen_.push_back(n);
          arrived_.notify_all();
        }) {}
  std::vector<DeviceNotification> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::seconds(5), [&] { return seen_.size() >= count; });
    return seen_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<DeviceNotification> seen_;
  DeviceSubscription subscription_;  // last: ends before the members it fills
};

using VirtualDeviceTest = SimFixture;

TEST_F(VirtualDeviceTest, DeviceIniSetsIdentityMemoryAndFaults) {
  Restart(
      "; a headset with its equalizer stored\n"
      "[Device]\nVendorID=0x2E8D\nProductID=0x7720\nOutputReportLength=33\nGpio=0x2FF\n"
      "[Registers]\n0x0200=0x04 0x05\n"
      "[I2C 0x50]\n0x8D=1\n0x8E=0x11\n"
      "[I2C 0x51]\n0x10=0x20 0x31 0x42\n"
      "[Faults]\nDLLQK_SetActive_Device=2\nhid.in=1\next=missing\n");
  EXPECT_EQ(device().SetupMessage(), "");
  EXPECT_EQ(device().Identity().product_id, 0x7720);
  EXPECT_EQ(device().OutputReportLength(), 33);
  const auto state = device().Snapshot();
  EXPECT_EQ(state.registers[0x200], 0x04);
  EXPECT_EQ(state.registers[0x201], 0x05);
  EXPECT_EQ(state.slave50[0x8D], 1);
  EXPECT_EQ(state.slave50[0x8E], 0x11);
  EXPECT_EQ(state.slave51[0x12], 0x42);
  EXPECT_EQ(state.gpio, 0x2FF);
  const auto faults = device().Faults();
  EXPECT_EQ(faults.entries.at("DLLQK_SetActive_Device"), 2);
  EXPECT_EQ(faults.hid_in, 1);
  EXPECT_TRUE(faults.extension_missing);
  EXPECT_EQ(device().PresentHardwareIds()[0][0], "USB\\VID_2E8D&PID_7720&REV_0100&MI_00");
}

TEST_F(VirtualDeviceTest, MalformedDeviceIniNamesTheLineAndFallsBackToTheDefaultDevice) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"[Device]\nProductID=0x7720\nVendorID=twelve\n", "device.ini line 3: \"twelve\" is not a number"},
      {"[Device]\nProductID=0x7720\njust words\n", "device.ini line 3: expected key=value"},
      {"ProductID=0x7720\n", "device.ini line 1: key=value before the first [section]"},
      {"[Registers]\n0x10000=1\n", "device.ini line 2: \"0x10000\" is not an address"},
      {"[I2C 0x51]\n0xFF=1 2\n", "device.ini line 2: bytes run past the end"},
      {"[Faults]\nhid.out=many\n", "device.ini line 2: unknown fault"},
      {"[Device]\nColour=blue\n", "device.ini line 2: unknown key"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Restart(c.text);
    EXPECT_EQ(device().SetupMessage().rfind(c.message, 0), 0u) << device().SetupMessage();
    EXPECT_EQ(device().Identity().product_id, 0x771F);
    EXPECT_TRUE(device().Present());
    EXPECT_TRUE(device().Faults().entries.empty());
  }
}

TEST_F(VirtualDeviceTest, UnplugAndPlugRaiseNotificationsOfBothInterfaces) {
  VirtualDeviceEnumerator enumerator(device());
  ASSERT_EQ(enumerator.ListPresentDevices()->size(), 2u);
  Notifications notifications(device());
  device().Unplug();
  EXPECT_TRUE(enumerator.ListPresentDevices()->empty());
  device().Plug();
  const auto seen = notifications.WaitFor(4);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_FALSE(seen[0].arrival);
  EXPECT_EQ(seen[0].class_id, kAudioClassId);
  EXPECT_EQ(seen[1].class_id, kHidClassId);
  EXPECT_EQ(seen[1].device_name.rfind("\\\\?\\HID#VID_2E8D&PID_771F&MI_03#", 0), 0u);
  EXPECT_TRUE(seen[2].arrival && seen[3].arrival);
  const auto trace = TraceLines();
  ASSERT_EQ(trace.size(), 4u);
  EXPECT_EQ(trace[1].rfind("notify removal {4D1E55B2-F16F-11CF-88CB-001111000030} \\\\?\\HID#VID_2E8D&PID_771F", 0),
            0u);
  EXPECT_EQ(trace[2].rfind("notify arrival {6994AD04-93EF-11D0-A3CC-00A0C9223196} \\\\?\\USB#", 0), 0u);
  // Presence lasts: a program started later finds the device as it was left.
  device().Unplug();
  Restart(folder_.Read("device.ini"));
  EXPECT_FALSE(device().Present());
}

TEST_F(VirtualDeviceTest, ComingBackStartsFromDeviceIniButKeepsTheEeprom) {
  Restart("[Registers]\n0x0200=0x04\n");
  auto& d = device();
  d.RunEntry("test", true, [](DeviceState& s, const DeviceSetup&) {
    s.registers[0x200] = 0x99;
    s.slave51[0x07] = 0x55;
    s.eq_on = true;
    return 0;
  }, {});
  d.Unplug();
  d.Plug();
  const auto state = d.Snapshot();
  EXPECT_EQ(state.registers[0x200], 0x04);
  EXPECT_EQ(state.slave51[0x07], 0x55);
  EXPECT_FALSE(state.eq_on);
}

TEST_F(VirtualDeviceTest, CommandsOfOtherProcessesArriveThroughTheStateFolder) {
  Notifications notifications(device());
  {
    std::ofstream control(folder_.File("control"), std::ios::app);
    // Commands are taken in order: the fault is in place when the removal arrives.
    control << "999999 fault hid.out 3\n999999 present 0\n";
  }
  const auto seen = notifications.WaitFor(2);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].arrival);
  EXPECT_FALSE(device().Present());
  EXPECT_EQ(device().Faults().hid_out, 3);

  // A reset from elsewhere brings back what device.ini says.
  {
    std::ofstream control(folder_.File("control"), std::ios::app);
    control << "999999 reset\n";
  }
  const auto after_reset = notifications.WaitFor(4);
  ASSERT_EQ(after_reset.size(), 4u);
  EXPECT_TRUE(after_reset[3].arrival);
  EXPECT_TRUE(device().Present());
  EXPECT_EQ(device().Faults().hid_out, 0);
}

TEST_F(VirtualDeviceTest, RunTimeFaultsAndResetAreKeptInDeviceIni) {
  ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", "2"));
  ASSERT_TRUE(device().SetFault("ext", "missing"));
  EXPECT_FALSE(device().SetFault("no.such.fault", "1"));
  EXPECT_FALSE(device().SetFault("hid.in", "-1"));
  const std::string ini = folder_.Read("device.ini");
  EXPECT_NE(ini.find("[Faults]\nDLLQK_AudioCommand=2\next=missing\n"), std::string::npos) << ini;
  device().Reset();
  EXPECT_EQ(folder_.Read("device.ini").find("[Faults]"), std::string::npos);
  EXPECT_TRUE(device().Faults().entries.empty());
  EXPECT_EQ(folder_.Read("trace.log"), "");
}

}  // namespace
}  // namespace audio77::sim
