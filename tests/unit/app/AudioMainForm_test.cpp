// The main window on the virtual device: start-up, plug and unplug, the
// search timer and shutdown, read back from the device's trace.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/InOrder.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/Label.h"
#include "toolkit/Timer.h"

namespace audio77 {
namespace {

using test::HarnessOptions;
using test::InOrder;
using test::ProgramHarness;

constexpr const char* kActive = "Device connected";
constexpr const char* kUnactive = "No device";
constexpr const char* kUnDriver = "Driver not found";
constexpr const char* kAbsentDevice = "[Device]\nPresent=0\n";
constexpr const char* kNoExtension = "[Faults]\next=missing\n";

std::string StateText(ProgramHarness& h) {
  auto* label = h.Form().Form().Find<toolkit::Label>("DeviceActiveLabel");
  return label ? label->Caption() : "<no label>";
}

bool Searching(ProgramHarness& h) { return h.Form().SearchTimer().Enabled(); }

// Index of the first line starting with prefix at or after from; npos when none.
std::size_t Find(const std::vector<std::string>& lines, const std::string& prefix, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (lines[i].rfind(prefix, 0) == 0) return i;
  }
  return std::string::npos;
}

bool Contains(const std::vector<std::string>& lines, const std::string& prefix) {
  return Find(lines, prefix) != std::string::npos;
}

TEST(AudioMainFormStartup, DevicePresentIsActivatedAndSynchronised) {
  ProgramHarness h;
  h.Start();
  EXPECT_TRUE(InOrder(h.Trace(), {"bus register WM_QKW77xxAPP_EXIT", "lib DLLQK_SetActive_Device 11917 30495 = 0",
                                  "hid open 2E8D:771F = 0", "ext open", "ext ioctl 0x00223190",
                                  "lib DLLQK_SetVirtual7ch1_OnOff 0", "ext ioctl 0x00223028 in=01000000",
                                  "lib DLLQK_SetVirtual7ch1_Scalar 2 = 0", "ext ioctl 0x08232000 in=01000000"}));
  EXPECT_EQ(StateText(h), kActive);
  EXPECT_TRUE(h.Form().Session().Active());
  EXPECT_TRUE(h.Form().Session().RegisterSync());
  EXPECT_TRUE(h.Form().Session().HoldsHid());
  EXPECT_FALSE(Searching(h));
  EXPECT_EQ(h.Form().Constructed(), TAudioMainForm::kStepComplete);
  EXPECT_EQ(h.Form().Session().ActivationCount(), 0);
}

TEST(AudioMainFormStartup, OutcomesOfTheFirstActivation) {
  struct Case {
    const char* device_ini;
    const char* text;
    bool active;
    std::uint16_t vendor_id;
  };
  const Case cases[] = {
      {"", kActive, true, 0x2E8D},
      {kAbsentDevice, kUnactive, false, 0},
      {kNoExtension, kUnDriver, false, 0x2E8D},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.device_ini);
    HarnessOptions options;
    options.device_ini = c.device_ini;
    ProgramHarness h(options);
    h.Start();
    EXPECT_EQ(StateText(h), c.text);
    EXPECT_EQ(h.Form().Session().Active(), c.active);
    EXPECT_EQ(Searching(h), !c.active);
    EXPECT_EQ(h.Form().Session().VendorId(), c.vendor_id);
    // Nothing is sent to a device that is not active.
    EXPECT_EQ(Contains(h.Trace(), "lib DLLQK_SetVirtual7ch1_Scalar"), c.active);
  }
}

TEST(AudioMainFormStartup, AbsentDeviceIsSelectedWithZeroIdsAndRetriedAfterTenMs) {
  HarnessOptions options;
  options.device_ini = kAbsentDevice;
  ProgramHarness h(options);
  h.Start();
  const auto trace = h.Trace();
  const std::size_t first = Find(trace, "lib DLLQK_SetActive_Device 0 0");
  ASSERT_NE(first, std::string::npos);
  const auto debug = h.DebugLines();
  const bool failed = Find(debug, "***** fnDLLQK_SetActive_Device, ret = ") != std::string::npos;
  // A failed selection is repeated once, 10 ms later.
  EXPECT_EQ(Find(trace, "lib DLLQK_SetActive_Device 0 0", first + 1) != std::string::npos, failed);
}

TEST(AudioMainFormStartup, MissingLibraryEndsWithoutTouchingTheDevice) {
  HarnessOptions options;
  options.with_library = false;
  ProgramHarness h(options);
  h.Start();
  ASSERT_FALSE(h.Dialogs().Messages().empty());
  EXPECT_EQ(h.Dialogs().Messages().back().text, "***** Open_DLLQK_UsbAudio77xx, ret = 1 *****");
  EXPECT_TRUE(h.App().Terminated());
  EXPECT_FALSE(h.Form().LibraryBound());
  h.Close();
  EXPECT_FALSE(Contains(h.Trace(), "lib "));
  EXPECT_FALSE(Contains(h.Trace(), "hid "));
}

TEST(AudioMainFormStartup, FirstRunFillsTheUserFolderFromTheTemplatesOnce) {
  HarnessOptions options;
  options.user_folder = false;
  ProgramHarness h(options);
  h.Start();
  EXPECT_TRUE(std::filesystem::exists(h.UserFolder() / "AudioConfig.cfg"));
  EXPECT_TRUE(std::filesystem::exists(h.UserFolder() / "DefaultProfile.ini"));
  h.Close();
  // A folder that exists is the user's: a later start leaves it alone.
  std::filesystem::remove(h.UserFolder() / "DefaultProfile.ini");
  ProgramHarness again(options);
  std::filesystem::create_directories(again.UserFolder());
  again.Start();
  EXPECT_FALSE(std::filesystem::exists(again.UserFolder() / "AudioConfig.cfg"));
}

TEST(AudioMainFormDevice, PlugActivatesAndTheTimerResyncsOnceMore) {
  HarnessOptions options;
  options.device_ini = kAbsentDevice;
  ProgramHarness h(options);
  h.Start();
  h.ClearTrace();
  h.Plug();
  EXPECT_EQ(StateText(h), kActive);
  EXPECT_TRUE(h.Form().Session().Active());
  EXPECT_TRUE(InOrder(h.Trace(), {"lib DLLQK_SetActive_Device 11917 30495", "hid open 2E8D:771F", "hid close",
                                  "lib DLLQK_AudioCommand 04", "ext open", "ext ioctl 0x00223190",
                                  "lib DLLQK_SetVirtual7ch1_OnOff 0", "lib DLLQK_SetVirtual7ch1_Scalar",
                                  "ext ioctl 0x00223028"}));
  EXPECT_TRUE(Contains(h.DebugLines(), "DeviceArrival1"));
  // Each interface of the device arrives on its own and activates again.
  const int activations = h.Form().Session().ActivationCount();
  EXPECT_GE(activations, 1);
  // Arrivals never hold the interface, so the timer still runs: its next
  // tick activates once more and stops.
  EXPECT_TRUE(Searching(h));
  h.TickTimer1();
  EXPECT_FALSE(Searching(h));
  EXPECT_TRUE(Contains(h.DebugLines(), "DeviceArrivalforTimer1"));
  EXPECT_EQ(h.Form().Session().ActivationCount(), activations + 1);
}

TEST(AudioMainFormDevice, TimerActivatesADeviceWithoutExtension) {
  HarnessOptions options;
  options.device_ini = kNoExtension;
  ProgramHarness h(options);
  h.Start();
  EXPECT_EQ(StateText(h), kUnDriver);
  h.TickTimer1();
  EXPECT_EQ(StateText(h), kActive);
  EXPECT_TRUE(h.Form().Session().Active());
  EXPECT_FALSE(Searching(h));
}

TEST(AudioMainFormDevice, RemovalOnlyOfTheActiveDevicesHidInterface) {
  struct Case {
    const char* interface_class;
    const char* name;
    bool deactivates;
  };
  const Case cases[] = {
      {kHidInterfaceClass, R"(\\?\HID#VID_2E8D&PID_771F&MI_03#7&1&0&0000#{4d1e55b2})", true},
      {kHidInterfaceClass, R"(\\?\HID#VID_2E8D&PID_7720&MI_03#7&1&0&0000#{4d1e55b2})", false},
      {kHidInterfaceClass, R"(\\?\HID#VID_1234&PID_771F&MI_03#7&1&0&0000#{4d1e55b2})", false},
      {kAudioInterfaceClass, R"(\\?\USB#VID_2E8D&PID_771F&MI_00#6&1&0&0000#{6994ad04})", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramHarness h;
    h.Start();
    h.Form().OnDeviceChange({DeviceChange::kRemoveComplete, kDeviceTypeInterface, c.interface_class, c.name});
    EXPECT_EQ(h.Form().Session().Active(), !c.deactivates);
    EXPECT_EQ(h.Form().Session().HoldsHid(), !c.deactivates);
    EXPECT_EQ(StateText(h), c.deactivates ? kUnactive : kActive);
  }
}

TEST(AudioMainFormDevice, ArrivalsAreIgnoredWhileTheStartupInterfaceIsHeld) {
  ProgramHarness h;
  h.Start();
  h.ClearTrace();
  h.Form().OnDeviceChange({DeviceChange::kArrival, kDeviceTypeInterface, kAudioInterfaceClass, "any"});
  EXPECT_TRUE(Contains(h.DebugLines(), "m_hDevice != NULL"));
  EXPECT_FALSE(Contains(h.Trace(), "lib DLLQK_SetActive_Device"));
}

TEST(AudioMainFormDevice, UnplugAndPlugAgainActivatesThroughTheArrival) {
  ProgramHarness h;
  h.Start();
  h.Unplug();
  EXPECT_EQ(StateText(h), kUnactive);
  EXPECT_FALSE(h.Form().Session().HoldsHid());
  EXPECT_EQ(h.Form().Session().ActivationCount(), 0);
  h.Plug();
  EXPECT_EQ(StateText(h), kActive);
  EXPECT_GE(h.Form().Session().ActivationCount(), 1);
}

TEST(AudioMainFormDevice, AnAudioCommandThatNeverAnswersLeavesTheStateAlone) {
  HarnessOptions options;
  options.device_ini = std::string(kAbsentDevice) + "[Faults]\nDLLQK_AudioCommand=10\n";
  ProgramHarness h(options);
  h.Start();
  h.Form().SearchTimer().SetEnabled(false);
  h.Plug();  // two interfaces arrive, each probing five times
  EXPECT_FALSE(h.Form().Session().Active());
  EXPECT_FALSE(Searching(h));  // that arrival did not start the timer
  EXPECT_EQ(StateText(h), kUnactive);
}

TEST(AudioMainFormDevice, ARemovalDuringAnActivationWaitsAndStopsIt) {
  HarnessOptions options;
  options.device_ini = kAbsentDevice;
  ProgramHarness h(options);
  h.Start();
  h.Plug();
  h.Unplug();
  h.ClearTrace();
  // Arrival, then the removal of the same device while the arrival lets
  // pending messages run.
  const DeviceInterfaceEvent arrival{DeviceChange::kArrival, kDeviceTypeInterface, kAudioInterfaceClass, "x"};
  const DeviceInterfaceEvent removal{DeviceChange::kRemoveComplete, kDeviceTypeInterface, kHidInterfaceClass,
                                     R"(\\?\HID#VID_2E8D&PID_771F&MI_03#1)"};
  h.Plug();  // the device is there again, without telling the window
  h.ClearTrace();
  h.App().Loop().Post([&] {
    h.App().Loop().Post([&] { h.Form().OnDeviceChange(removal); });
    h.Form().OnDeviceChange(arrival);
  });
  h.RunPending();
  EXPECT_FALSE(h.Form().Session().Active());
  EXPECT_EQ(StateText(h), kUnactive);
  // The re-sync stopped at its first pump.
  EXPECT_FALSE(Contains(h.Trace(), "ext ioctl 0x00223028"));
}

TEST(AudioMainFormDevice, AnExitMessageDuringAnActivationClosesAfterIt) {
  HarnessOptions options;
  options.device_ini = kAbsentDevice;
  ProgramHarness h(options);
  h.Start();
  h.Plug();
  h.ClearTrace();
  bool closed_inside = true;
  const DeviceInterfaceEvent arrival{DeviceChange::kArrival, kDeviceTypeInterface, kAudioInterfaceClass, "x"};
  h.App().Loop().Post([&] {
    // The exit message comes while the arrival lets pending messages run.
    h.App().Loop().Post([&] {
      h.Form().OnSessionMessage(h.Form().Messages().app_exit);
      closed_inside = h.App().Terminated();
    });
    h.Form().OnDeviceChange(arrival);
  });
  h.RunPending();
  EXPECT_FALSE(closed_inside);
  // The activation ran to its end; the window closed afterwards.
  EXPECT_TRUE(Contains(h.Trace(), "ext ioctl 0x00223028"));
  EXPECT_TRUE(h.App().Terminated());
}

TEST(AudioMainFormShutdown, NeutralisesThePresentDeviceInOrder) {
  ProgramHarness h;
  h.Start();
  h.ClearTrace();
  h.Close();
  EXPECT_TRUE(InOrder(h.Trace(), {"hid open 2E8D:771F = 0", "hid out 006000011", "hid out 006000012",
                                  "ext ioctl 0x08232008 in=00000000", "ext ioctl 0x08232000 in=01000000",
                                  "lib DLLQK_AudioCommand 04", "lib DLLQK_AudioCommand 07", "hid out 000000",
                                  "hid close", "hid close"}));
  EXPECT_FALSE(Searching(h));
}

TEST(AudioMainFormShutdown, ExitWhileUnpluggedOnlyLooksForTheDevice) {
  ProgramHarness h;
  h.Start();
  h.Unplug();
  h.ClearTrace();
  h.Close();
  EXPECT_FALSE(Contains(h.Trace(), "hid out"));
  EXPECT_FALSE(Contains(h.Trace(), "lib DLLQK_AudioCommand"));
}

TEST(AudioMainFormShutdown, CloseStopsTimersAndNotifications) {
  HarnessOptions options;
  options.device_ini = kAbsentDevice;
  ProgramHarness h(options);
  h.Start();
  EXPECT_TRUE(Searching(h));
  h.Close();
  EXPECT_FALSE(Searching(h));
  h.ClearTrace();
  h.Plug();
  EXPECT_FALSE(Contains(h.Trace(), "lib DLLQK_SetActive_Device"));
}

}  // namespace
}  // namespace audio77
