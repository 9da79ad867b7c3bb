// The virtual device itself: device.ini, presence with its notifications, and
// one device shared by every device object (every process) using the state folder.
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>

#include "SimFixture.h"
#include "sim/core/DeviceSubscription.h"
#include "sim/platform/VirtualDeviceEnumerator.h"

namespace audio77::sim {
namespace {

// Collects notifications; waits for them when they come from the device's
// thread (changes made by another device object).
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

// Button reports of a scan; a plain function, as the library's callback is.
struct Reports {
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<std::array<std::uint8_t, 5>> seen;
  std::vector<std::array<std::uint8_t, 5>> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex);
    arrived.wait_for(lock, std::chrono::seconds(5), [&] { return seen.size() >= count; });
    return seen;
  }
};
Reports first_scan, second_scan;
template <Reports& reports>
std::int32_t Collect(std::uint16_t, std::uint16_t, const std::uint8_t* bytes, std::int32_t, std::int32_t) {
  std::lock_guard lock(reports.mutex);
  reports.seen.push_back({bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]});
  reports.arrived.notify_all();
  return 0;
}

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
      {"[Faults]\nhid.in=1\nDLLQK_SetActive_Devices=1\n", "device.ini line 3: unknown fault"},
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

TEST_F(VirtualDeviceTest, ADeviceIniThatCannotBeReadIsReportedAsAMalformedOneIs) {
  std::filesystem::remove(folder_.File("device.ini"));
  std::filesystem::create_directory(folder_.File("device.ini"));
  device().Load(folder_.path().string());
  EXPECT_EQ(device().SetupMessage(), "device.ini is a folder, not a file; using the default device");
  EXPECT_EQ(device().Identity().product_id, 0x771F);
  std::filesystem::remove(folder_.File("device.ini"));
}

TEST_F(VirtualDeviceTest, UnplugAndPlugNotifyBothInterfacesAtOnce) {
  VirtualDeviceEnumerator enumerator(device());
  ASSERT_EQ(enumerator.ListPresentDevices()->size(), 2u);
  Notifications notifications(device());
  device().Unplug();
  EXPECT_TRUE(enumerator.ListPresentDevices()->empty());
  device().Plug();
  // Delivered on this thread before Plug returned: nothing to wait for.
  const auto seen = notifications.WaitFor(0);
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
  // Plugging a plugged device changes nothing and tells nobody.
  device().Plug();
  EXPECT_EQ(notifications.WaitFor(0).size(), 4u);
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

// A second device object on the same folder stands for another process.
TEST_F(VirtualDeviceTest, EveryObjectOnTheFolderDrivesOneDeviceThatOutlivesThem) {
  {
    VirtualDevice other;
    other.UseStateFolder(folder_.path().string());
    other.RunEntry("test", true, [](DeviceState& s, const DeviceSetup&) {
      s.registers[0x18A] = 5;
      s.slave50[0x8D] = 1;
      s.gpio_modes[3] = 2;
      s.master.brightness = 7;
      return 0;
    }, {});
    ASSERT_TRUE(other.SetFault("hid.out", "3"));
    ASSERT_TRUE(other.SetFault("DLLQK_AudioCommand", "2"));
    const auto state = device().Snapshot();
    EXPECT_EQ(state.registers[0x18A], 5);
    EXPECT_EQ(state.slave50[0x8D], 1);
    EXPECT_EQ(state.gpio_modes[3], 2);
    EXPECT_EQ(state.master.brightness, 7);
    EXPECT_EQ(device().Faults().hid_out, 3);
    // A change made here is seen there just as well.
    device().Unplug();
    EXPECT_FALSE(other.Present());
  }
  // A program started later finds the device as it was left.
  VirtualDevice later;
  later.UseStateFolder(folder_.path().string());
  EXPECT_FALSE(later.Present());
  EXPECT_EQ(later.Faults().entries.at("DLLQK_AudioCommand"), 2);
  later.Plug();
  EXPECT_EQ(later.Snapshot().slave50[0x8D], 1);  // the EEPROM lasts
  EXPECT_EQ(later.Snapshot().registers[0x18A], 0);
}

TEST_F(VirtualDeviceTest, AnIncompleteRecordStartsTheDeviceAgainFromDeviceIni) {
  Restart("[Registers]\n0x0200=0x04\n");
  device().RunEntry("test", true, [](DeviceState& s, const DeviceSetup&) {
    s.registers[0x200] = 0x99;
    return 0;
  }, {});
  // A writer killed half-way leaves the mark of a complete record at 0.
  std::string record = folder_.Read("state");
  ASSERT_GT(record.size(), 32u);
  std::fill(record.begin() + 24, record.begin() + 32, '\0');
  folder_.Write("state", record);
  EXPECT_EQ(device().Snapshot().registers[0x200], 0x04);
  folder_.Write("state", "garbage");
  EXPECT_EQ(device().Snapshot().registers[0x200], 0x04);
  EXPECT_TRUE(device().Present());
}

TEST_F(VirtualDeviceTest, PlugsAndResetsOfAnotherObjectArriveAsNotifications) {
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  Notifications notifications(device());
  other.Unplug();
  auto seen = notifications.WaitFor(2);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].arrival || seen[1].arrival);
  EXPECT_FALSE(device().Present());

  other.Plug();
  ASSERT_TRUE(other.SetFault("hid.out", "3"));
  // A reset goes back to device.ini, seen as an unplug followed by a plug.
  other.Reset();
  seen = notifications.WaitFor(8);
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_TRUE(seen[2].arrival && seen[3].arrival);
  EXPECT_FALSE(seen[4].arrival || seen[5].arrival);
  EXPECT_TRUE(seen[6].arrival && seen[7].arrival);
  EXPECT_EQ(seen[7].class_id, kHidClassId);
  EXPECT_TRUE(device().Present());
  EXPECT_EQ(device().Faults().hid_out, 0);
}

TEST_F(VirtualDeviceTest, PlugEventsAreFollowedWhateverIsDoneToTheControlFile) {
  const std::string control = folder_.File("control");
  struct Case {
    const char* what;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"emptied", [&] { std::ofstream(control, std::ios::trunc); }},
      {"removed", [&] { std::filesystem::remove(control); }},
      {"replaced", [&] {
         std::filesystem::remove(control);
         folder_.Write("control", "");
       }},
      {"a folder for a while", [&] {
         std::filesystem::remove(control);
         ASSERT_TRUE(std::filesystem::create_directory(control));
         std::filesystem::remove(control);
       }},
  };
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  Notifications notifications(device());
  // Old events first, so that an emptied file is shorter than what was read.
  for (int i = 0; i < 20; ++i) other.PressButton(0);
  std::size_t expected = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    other.Unplug();
    other.Plug();
    expected += 4;
    const auto seen = notifications.WaitFor(expected);
    ASSERT_EQ(seen.size(), expected);
    EXPECT_FALSE(seen[expected - 4].arrival);
    EXPECT_TRUE(seen[expected - 1].arrival);
  }
}

TEST_F(VirtualDeviceTest, AStateFolderWhoseRecordIsAFolderStillFollowsPlugs) {
  test::TempDir elsewhere;
  std::filesystem::create_directory(elsewhere.File("state"));
  VirtualDevice program;
  program.UseStateFolder(elsewhere.path().string());
  VirtualDevice ctl;
  ctl.UseStateFolder(elsewhere.path().string());
  Notifications notifications(program);
  ASSERT_TRUE(program.Present());
  for (int cycle = 1; cycle <= 2; ++cycle) {
    SCOPED_TRACE(cycle);
    ctl.Unplug();
    ASSERT_EQ(notifications.WaitFor(4 * cycle - 2).size(), 4u * cycle - 2);
    EXPECT_FALSE(program.Present());
    ctl.Plug();
    ASSERT_EQ(notifications.WaitFor(4 * cycle).size(), 4u * cycle);
    EXPECT_TRUE(program.Present()) << "the device comes back after a replug";
  }
}

TEST_F(VirtualDeviceTest, TheControlFileAndTheTraceStayBounded) {
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  Notifications notifications(device());
  constexpr int kCycles = 1000;
  for (int i = 0; i < kCycles; ++i) {
    other.Unplug();
    other.Plug();
  }
  const auto seen = notifications.WaitFor(4 * kCycles);
  EXPECT_EQ(seen.size(), 4u * kCycles) << "no event lost to a rotation";
  EXPECT_LE(std::filesystem::file_size(folder_.File("control")), ControlFile::kRotateAt + 4096);
  // Each cycle traces its notifications: far beyond one part of the trace.
  for (int i = 0; i < 2000; ++i) device().Trace(std::string(1000, 'x'));
  EXPECT_LE(std::filesystem::file_size(folder_.File("trace.log")), TraceLog::kRotateAt + 70 * 1024);
  EXPECT_TRUE(std::filesystem::exists(folder_.File("trace.log.1")));
}

TEST_F(VirtualDeviceTest, ButtonPressesReachTheObjectThatOwnsTheScan) {
  first_scan.seen.clear();
  second_scan.seen.clear();
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  device().SetButtonScan(&Collect<first_scan>, 0x2E8D, 0x771F, true);
  ASSERT_EQ(first_scan.WaitFor(1).size(), 1u);  // the idle lines
  // Pressed here: delivered before PressButton returns.
  device().PressButton(1u << 8);
  {
    std::lock_guard lock(first_scan.mutex);
    ASSERT_EQ(first_scan.seen.size(), 3u);
    EXPECT_EQ(first_scan.seen[1][3], 0x02);  // GPIO 8 held low
    EXPECT_EQ(first_scan.seen[2][3], 0x03);
  }
  // Pressed elsewhere: through the control file, on the device's thread.
  other.PressButton(1u << 0);
  const auto seen = first_scan.WaitFor(5);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[3][2], 0xFE);

  // A new scan replaces the previous one, whoever started it.
  other.SetButtonScan(&Collect<second_scan>, 0x2E8D, 0x771F, true);
  ASSERT_EQ(second_scan.WaitFor(1).size(), 1u);
  device().PressButton(1u << 1);
  EXPECT_EQ(second_scan.WaitFor(3).size(), 3u);
  other.SetButtonScan(nullptr, 0, 0, false);
  std::lock_guard lock(first_scan.mutex);
  EXPECT_EQ(first_scan.seen.size(), 5u);
}

TEST_F(VirtualDeviceTest, RunTimeFaultsLastUntilAResetGoesBackToDeviceIni) {
  Restart("[Faults]\nhid.in=1\n");
  ASSERT_TRUE(device().SetFault("DLLQK_AudioCommand", "2"));
  ASSERT_TRUE(device().SetFault("ext", "missing"));
  EXPECT_FALSE(device().SetFault("no.such.fault", "1"));
  EXPECT_FALSE(device().SetFault("DLLQK_NoSuchEntry", "1"));
  EXPECT_FALSE(device().SetFault("hid.in", "-1"));
  // device.ini stays as written: it describes the device at its start.
  EXPECT_EQ(folder_.Read("device.ini"), "[Faults]\nhid.in=1\n");
  device().Reset();
  const auto faults = device().Faults();
  EXPECT_TRUE(faults.entries.empty());
  EXPECT_FALSE(faults.extension_missing);
  EXPECT_EQ(faults.hid_in, 1);
  EXPECT_EQ(folder_.Read("trace.log"), "");
}

}  // namespace
}  // namespace audio77::sim
