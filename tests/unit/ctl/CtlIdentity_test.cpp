#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CtlTestRun.h"
#include "device/DeviceLibrary.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/posix/PosixDynamicLibrary.h"
#include "sim/core/VirtualDevice.h"
#include "toolkit/DialogsMessageBox.h"
#include "toolkit/ScriptedDialogs.h"
#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::ctl {
namespace {

// Made with openssl enc -des-cbc, key "KiteTune", zero IV.
constexpr const char* kAudioEntry =
    "USB\\VID_2E8D&PID_77XX&REV_0100&MI_00,Dfyp5z1FYArjjH+c9djT2ynciFbv1NZjZWINnW/qPl/dL4SXz64XfA==";

TEST(CtlIds, SignPrintsAnEntryThatAnIndependentDesAgreesWith) {
  const auto signed_entry = RunCommand({"ids", "sign", "USB\\VID_2E8D&PID_77XX&REV_0100&MI_00"});
  EXPECT_EQ(signed_entry.code, kExitOk);
  EXPECT_EQ(signed_entry.out, std::string(kAudioEntry) + "\n");

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"ids", "sign", "USB\\VID_2E8D,MI_00"},
           {"ids", "sign", " USB\\VID_2E8D"},
           {"ids", "sign", "USB\\VID_2E8D "},
           {"ids", "sign", ""},
           {"ids", "sign", "USB\\VID_2E8D\xC3\xA9"},
           {"ids", "sign"},
           {"ids", "check"},
           {"ids", "verify", "x"},
       }) {
    const auto result = RunCommand(args);
    EXPECT_EQ(result.code, kExitUsage) << args.back();
    EXPECT_TRUE(result.out.empty());
  }
}

TEST(CtlIds, SignedPatternsOfEveryShapeCheckAsAccepted) {
  const std::vector<std::string> patterns = {"USB\\VID_2E8D&PID_77XX&REV_0100&MI_00", "HID\\VID_2E8D&PID_771F",
                                             "x", "USB\\VID_0D8C&PID_0X1X", std::string(200, 'A')};
  std::string file = "[USB_VID_PID]\n";
  std::string expected;
  int n = 0;
  for (const auto& pattern : patterns) {
    const auto result = RunCommand({"ids", "sign", pattern});
    ASSERT_EQ(result.code, kExitOk);
    file += "Key" + std::to_string(n++) + "=" + result.out;
    expected += "accepted " + result.out;
  }
  test::TempDir dir;
  const auto check = RunCommand({"ids", "check", dir.Write("AudioConfig.cfg", file)});
  EXPECT_EQ(check.code, kExitOk);
  EXPECT_EQ(check.out, expected + "load result 0\n");
  EXPECT_EQ(check.err, "");
}

TEST(CtlIds, CheckReportsEveryValueAndTheLoadResult) {
  const auto path = test::FixturePath("device_ids/external.cfg").string();
  const auto check = RunCommand({"ids", "check", path});
  EXPECT_EQ(check.code, kExitFailure);
  std::istringstream lines(check.out);
  std::vector<std::string> verdicts;
  for (std::string line; std::getline(lines, line);) verdicts.push_back(line.substr(0, line.find(' ')));
  EXPECT_EQ(verdicts, (std::vector<std::string>{"accepted", "accepted", "accepted", "dropped", "dropped", "dropped",
                                                "skipped", "accepted", "dropped", "skipped", "load"}));
  EXPECT_NE(check.out.find("\nload result 4\n"), std::string::npos);
  EXPECT_NE(check.err.find("empty pattern or signature"), std::string::npos);

  test::TempDir dir;
  struct Case {
    std::string content;
    std::string message;
  };
  const Case cases[] = {
      {"", "cannot load"},
      {"[Other]\nA=1\n", "has no [USB_VID_PID] section"},
      {"[USB_VID_PID]\n; none\n", "holds no values"},
  };
  for (const auto& c : cases) {
    const auto file = c.content.empty() ? dir.File("missing.cfg") : dir.Write("a.cfg", c.content);
    const auto result = RunCommand({"ids", "check", file});
    EXPECT_EQ(result.code, kExitFailure) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

// The real program on the virtual device, whose trace records every report.
class CtlOnVirtualDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(program_)) << program_ << " is built with the audio77ctl target";
  }
  test::ProcessResult Ctl(const std::vector<std::string>& args) {
    return test::RunProcess(program_, args, {{"AUDIO77_PLATFORM", "virtual"},
                                             {"AUDIO77_VIRTUAL_DIR", state_.path().string()}});
  }
  // The device starts over from the new device.ini, as after "virtual reset".
  void Device(const std::string& ini) {
    state_.Write("device.ini", ini);
    ASSERT_EQ(Ctl({"virtual", "reset"}).exit_code, 0);
    seen_ = 0;  // the reset cleared the trace
  }
  std::vector<std::string> TraceSinceLast() {
    const std::string trace = state_.Read("trace.log");
    std::vector<std::string> lines;
    std::istringstream in(trace.substr(std::min(seen_, trace.size())));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    seen_ = trace.size();
    return lines;
  }

  std::string program_ = (test::DistDir() / "audio77ctl").string();
  test::TempDir state_;
  std::size_t seen_ = 0;
};

TEST_F(CtlOnVirtualDevice, RegisterAndGpioCommandsSendTheirReports) {
  Device("[Device]\noutputreportlength=9\ninputreportlength=9\n[Registers]\n0x18A=0xC3\n");
  struct Case {
    std::vector<std::string> args;
    std::string out;
    std::vector<std::string> reports;  // trace lines between open and close
  };
  const Case cases[] = {
      {{"reg", "read", "0x18A"}, "0xC3\n",
       {"hid out 00608a011000000000 = 0", "hid in 9 = 0060c30000000000", "hid out 000000000000000000 = 0"}},
      {{"reg", "write", "394", "0x5a"}, "",
       {"hid out 00608a011000000000 = 0", "hid out 00605a012000000000 = 0", "hid out 000000000000000000 = 0"}},
      {{"gpio", "write", "1", "0", "0", "0", "0", "0", "0", "1", "0", "1"}, "",
       {"hid out 006081ff3e00000000 = 0", "hid out 000000000000000000 = 0"}},
      {{"gpio", "read"}, "",
       {"hid out 006000003000000000 = 0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const auto result = Ctl(c.args);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    if (!c.out.empty()) {
      EXPECT_EQ(result.out, c.out);
    }
    const auto trace = TraceSinceLast();
    ASSERT_GE(trace.size(), c.reports.size() + 2);
    EXPECT_EQ(trace.front(), "hid open 2E8D:771F = 0");
    EXPECT_EQ(trace.back(), "hid close");
    for (std::size_t i = 0; i < c.reports.size(); ++i) {
      if (c.reports[i].rfind("hid in", 0) == 0) {
        EXPECT_EQ(trace[1 + i].rfind("hid in 9 = ", 0), 0u) << trace[1 + i];
      } else {
        EXPECT_EQ(trace[1 + i], c.reports[i]);
      }
    }
  }
}

// This test stands for a running program on the virtual device: it binds the
// virtual library and writes through it while audio77ctl reads, and back.
TEST_F(CtlOnVirtualDevice, RegistersAreSharedWithARunningProgram) {
  sim::VirtualDevice::Instance().UseStateFolder(state_.path().string());
  PosixDynamicLibrary loader((test::DistDir() / "virtual").string() + "/");
  RecordingDebugOutput debug;
  toolkit::ScriptedDialogs dialogs;
  toolkit::DialogsMessageBox boxes(dialogs);
  DeviceLibrary program(loader, debug, boxes);
  ASSERT_EQ(program.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName), 0);
  ASSERT_EQ(program.Write_Register_ById(0x18A, 0x42, 0), 0);
  EXPECT_EQ(Ctl({"reg", "read", "0x18A"}).out, "0x42\n");
  ASSERT_EQ(Ctl({"reg", "write", "0x18A", "7"}).exit_code, 0);
  std::uint8_t value = 0;
  ASSERT_EQ(program.Read_Register_ById(0x18A, value, 0), 0);
  EXPECT_EQ(value, 7);
}

TEST_F(CtlOnVirtualDevice, ShortReportsAndAMissingDeviceFailWithoutSendingACommand) {
  Device("[Faults]\noutput_report_length=4\n");
  const auto write = Ctl({"reg", "write", "0x10", "1"});
  EXPECT_EQ(write.exit_code, 1);
  EXPECT_NE(write.err.find("register write failed with result 1"), std::string::npos) << write.err;
  const auto gpio = Ctl({"gpio", "read"});
  EXPECT_EQ(gpio.exit_code, 1);
  EXPECT_NE(gpio.err.find("GPIO read failed with result 2"), std::string::npos) << gpio.err;
  for (const auto& line : TraceSinceLast()) EXPECT_EQ(line.rfind("hid out", 0), std::string::npos) << line;

  Device("[Device]\npresent=0\n");
  const auto devices = Ctl({"devices"});
  EXPECT_EQ(devices.exit_code, 1);
  EXPECT_NE(devices.err.find("no listed device present"), std::string::npos);
  const auto read = Ctl({"reg", "read", "0x10"});
  EXPECT_EQ(read.exit_code, 1);
}

TEST_F(CtlOnVirtualDevice, DevicesMarksTheAudioInterfaceTheSearchPicks) {
  const auto devices = Ctl({"devices"});
  EXPECT_EQ(devices.exit_code, 0) << devices.err;
  EXPECT_NE(devices.out.find("* USB\\VID_2E8D&PID_771F&REV_0100&MI_00\n"), std::string::npos) << devices.out;
  EXPECT_NE(devices.out.find("vendor 0x2E8D product 0x771F\n"), std::string::npos) << devices.out;

  test::TempDir config;
  const auto unlisted = Ctl({"devices", "--config", config.Write("a.cfg", "[USB_VID_PID]\nA=x,y\n")});
  EXPECT_EQ(unlisted.exit_code, 1);
  EXPECT_EQ(unlisted.out.find('*'), std::string::npos) << unlisted.out;
}

TEST_F(CtlOnVirtualDevice, MalformedNumbersAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"reg", "read", "0x10000"}, {"reg", "read", "0x"},        {"reg", "read", "-1"},
      {"reg", "write", "1", "256"}, {"reg", "write", "1", "0xG"}, {"reg", "write", "1"},
      {"gpio", "write", "1", "0", "1"}, {"gpio", "write", "2", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
      {"gpio", "flip"},
  };
  for (const auto& args : cases) {
    const auto result = Ctl(args);
    EXPECT_EQ(result.exit_code, 2) << args[0] << " " << args.back();
  }
  EXPECT_TRUE(TraceSinceLast().empty());
}

}  // namespace
}  // namespace audio77::ctl
