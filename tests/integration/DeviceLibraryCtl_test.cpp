// audio77ctl binding real library files and driving the virtual device from
// outside, as a script or a person would.
#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <thread>

#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

std::string Ctl() { return (DistDir() / "audio77ctl").string(); }

// The virtual device's library, apart from the program folder.
std::string VirtualLibrary() { return (DistDir() / "virtual" / "libDLLQK_UsbAudio77xx.so").string(); }

std::string TestLibrary(const std::string& variant) {
  return (DistDir().parent_path() / "test-libraries" / variant / "libDLLQK_UsbAudio77xx.so").string();
}

// On this machine there is no device: the program folder's hardware library
// must not claim success for any call the program makes.
TEST(DeviceLibraryCtl, TheHardwareLibraryNeverClaimsWorkWithoutADevice) {
  const auto result = RunProcess(Ctl(), {"bind", "--calls"}, {{"AUDIO77_PLATFORM", "linux"}});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::istringstream lines(result.out);
  int calls = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("DLLQK_", 0) != 0) continue;
    ++calls;
    EXPECT_EQ(line.find(" = 0"), std::string::npos) << line;
  }
  EXPECT_GE(calls, 8) << result.out;
}

TEST(DeviceLibraryCtl, BindPrintsResultAndDebugLines) {
  struct Case {
    std::string platform;
    std::vector<std::string> args;
    int exit_code;
    std::string out;
  };
  const std::string missing = "/nonexistent/libDLLQK_UsbAudio77xx.so";
  const Case cases[] = {
      {"linux", {"bind", VirtualLibrary()}, 0, "Open_DLLQK_UsbAudio77xx(" + VirtualLibrary() + ") = 0\n"},
      {"virtual", {"bind"}, 0, "Open_DLLQK_UsbAudio77xx(DLLQK_UsbAudio77xx_x32.dll) = 0\n"},
      {"virtual", {"bind", TestLibrary("without-first")}, 1,
       "Open_DLLQK_UsbAudio77xx(" + TestLibrary("without-first") + ") = 2\n"},
      {"virtual", {"bind", TestLibrary("without-third")}, 1,
       "***** DLLQK_CheckDriver *****\nOpen_DLLQK_UsbAudio77xx(" + TestLibrary("without-third") + ") = 4\n"},
      {"linux", {"bind", TestLibrary("without-last")}, 1,
       "***** DLLQK_PWM_GetRGB_Color_ById *****\nOpen_DLLQK_UsbAudio77xx(" + TestLibrary("without-last") +
           ") = 250\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    TempDir state;
    const auto result = RunProcess(Ctl(), c.args,
                                   {{"AUDIO77_PLATFORM", c.platform}, {"AUDIO77_VIRTUAL_DIR", state.path().string()}});
    EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
    EXPECT_EQ(result.out, c.out);
  }
  const auto absent = RunProcess(Ctl(), {"bind", missing}, {{"AUDIO77_PLATFORM", "virtual"}});
  EXPECT_EQ(absent.exit_code, 1);
  EXPECT_EQ(absent.out.rfind("message box \"Error\": error 2: ", 0), 0u) << absent.out;
  EXPECT_NE(absent.out.find("Open_DLLQK_UsbAudio77xx(" + missing + ") = 1\n"), std::string::npos);
  EXPECT_EQ(absent.err, "audio77ctl: binding " + missing + " gave 1\n");
}

TEST(DeviceLibraryCtl, VirtualDeviceIsDrivenThroughItsStateFolder) {
  TempDir state;
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "virtual"},
                                               {"AUDIO77_VIRTUAL_DIR", state.path().string()}};
  const auto ctl = [&](std::vector<std::string> args) { return RunProcess(Ctl(), args, env); };

  const auto fresh = ctl({"virtual", "status"});
  EXPECT_EQ(fresh.exit_code, 0);
  EXPECT_NE(fresh.out.find("device: 2E8D:771F revision 0100\npresent: yes\n"), std::string::npos) << fresh.out;
  EXPECT_NE(fresh.out.find("faults: none\n"), std::string::npos);

  EXPECT_EQ(ctl({"virtual", "unplug"}).exit_code, 0);
  EXPECT_EQ(ctl({"virtual", "fault", "DLLQK_AudioCommand", "2"}).exit_code, 0);
  EXPECT_EQ(ctl({"virtual", "fault", "ext", "missing"}).exit_code, 0);
  const auto changed = ctl({"virtual", "status"});
  EXPECT_NE(changed.out.find("present: no\n"), std::string::npos) << changed.out;
  EXPECT_NE(changed.out.find("faults: DLLQK_AudioCommand=2 ext=missing\n"), std::string::npos) << changed.out;

  for (const auto& bad : std::vector<std::vector<std::string>>{{"virtual", "press-button", "0"},
                                                               {"virtual", "press-button", "0x400"},
                                                               {"virtual", "fault", "hid.out", "lots"},
                                                               {"virtual", "fault", "nonsense", "1"},
                                                               {"virtual", "wobble"},
                                                               {"virtual"}}) {
    const auto result = ctl(bad);
    EXPECT_EQ(result.exit_code, 2) << bad.back();
    EXPECT_EQ(result.err.rfind("audio77ctl: ", 0), 0u);
  }

  EXPECT_EQ(ctl({"virtual", "reset"}).exit_code, 0);
  const auto after = ctl({"virtual", "status"});
  EXPECT_NE(after.out.find("present: yes\n"), std::string::npos) << after.out;
  EXPECT_NE(after.out.find("faults: none\n"), std::string::npos) << after.out;
  EXPECT_EQ(ctl({"virtual", "trace"}).out, "");
}

TEST(DeviceLibraryCtl, OneProcessReadsWhatAnotherWroteAndAResetGoesBackToDeviceIni) {
  TempDir state;
  state.Write("device.ini", "[Registers]\n0x18A=0x11\n");
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "virtual"},
                                               {"AUDIO77_VIRTUAL_DIR", state.path().string()}};
  const auto ctl = [&](std::vector<std::string> args) { return RunProcess(Ctl(), args, env); };
  EXPECT_EQ(ctl({"reg", "read", "0x18A"}).out, "0x11\n");
  ASSERT_EQ(ctl({"reg", "write", "0x18A", "5"}).exit_code, 0);
  EXPECT_EQ(ctl({"reg", "read", "0x18A"}).out, "0x05\n");
  // The device.ini of a device in use takes effect at the next reset.
  state.Write("device.ini", "[Registers]\n0x18A=0x22\n");
  EXPECT_EQ(ctl({"reg", "read", "0x18A"}).out, "0x05\n");
  ASSERT_EQ(ctl({"virtual", "reset"}).exit_code, 0);
  EXPECT_EQ(ctl({"reg", "read", "0x18A"}).out, "0x22\n");
}

TEST(DeviceLibraryCtl, PlugAndUnplugReachAnotherRunningProcess) {
  TempDir state;
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "virtual"},
                                               {"AUDIO77_VIRTUAL_DIR", state.path().string()}};
  std::atomic<bool> watching_done{false};
  ProcessResult watch;
  std::thread watcher([&] {
    watch = RunProcess(Ctl(), {"virtual", "watch", "2"}, env);
    watching_done = true;
  });
  // The watcher subscribes some time after it starts: keep plugging until it has seen a removal.
  for (int i = 0; i < 100 && !watching_done; ++i) {
    RunProcess(Ctl(), {"virtual", "unplug"}, env);
    RunProcess(Ctl(), {"virtual", "plug"}, env);
  }
  watcher.join();
  EXPECT_EQ(watch.exit_code, 0) << watch.err;
  // Both interfaces, audio first, with the same change (which one depends on when it subscribed).
  std::istringstream lines(watch.out);
  std::string audio, hid;
  std::getline(lines, audio);
  std::getline(lines, hid);
  const std::string change = audio.substr(0, audio.find(' '));
  ASSERT_TRUE(change == "removal" || change == "arrival") << watch.out;
  EXPECT_EQ(audio.rfind(change + " {6994AD04-93EF-11D0-A3CC-00A0C9223196} \\\\?\\USB#VID_2E8D&PID_771F&MI_00#", 0), 0u)
      << watch.out;
  EXPECT_EQ(hid.rfind(change + " {4D1E55B2-F16F-11CF-88CB-001111000030} \\\\?\\HID#VID_2E8D&PID_771F&MI_03#", 0), 0u)
      << watch.out;
  // The receiving process traced what it received.
  const std::string trace = state.Read("trace.log");
  EXPECT_NE(trace.find("notify " + change + " {4D1E55B2-F16F-11CF-88CB-001111000030} \\\\?\\HID#"),
            std::string::npos)
      << trace;
}

TEST(DeviceLibraryCtl, MalformedDeviceIniIsNamedAndTheDefaultDeviceServes) {
  TempDir state;
  state.Write("device.ini", "[Device]\nProductID=0x7720\nVendorID=\n");
  const auto result =
      RunProcess(Ctl(), {"virtual", "status"},
                 {{"AUDIO77_PLATFORM", "virtual"}, {"AUDIO77_VIRTUAL_DIR", state.path().string()}});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_NE(result.out.find("device: 2E8D:771F"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("device.ini: device.ini line 3: \"\" is not a number"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find("device.ini line 3"), std::string::npos);
}

}  // namespace
}  // namespace audio77::test
