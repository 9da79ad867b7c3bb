// audio77ctl doctor on emulated hardware: what it finds in sysfs and /dev,
// and the fix it names, for a present, absent, unlisted or locked device.
#include "Doctor.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>

#include "UsbTestbed.h"
#include "support/TempDir.h"
#include "wiring/ChoosePlatform.h"

namespace audio77::ctl {
namespace {

constexpr const char* kConfig =
    "[USB_VID_PID]\n"
    "Audio=USB\\VID_2E8D&PID_77XX&REV_0100&MI_00,Dfyp5z1FYArjjH+c9djT2ynciFbv1NZjZWINnW/qPl/dL4SXz64XfA==\n";

// pactl's JSON lists with one sink and one source of ALSA card 1 and a
// monitor of the sink, which is no microphone.
constexpr const char* kSinks =
    R"([{"name":"alsa_output.usb-77xx.analog-stereo","properties":{"alsa.card":"1"}}])";
constexpr const char* kSources =
    R"([{"name":"alsa_output.usb-77xx.analog-stereo.monitor","monitor_of_sink":"alsa_output.usb-77xx.analog-stereo",)"
    R"("properties":{"alsa.card":"1"}},{"name":"alsa_input.usb-77xx.mono-fallback","monitor_of_sink":"n/a",)"
    R"("properties":{"alsa.card":"1"}}])";

struct Machine {
  bool plugged = true;
  test::UsbDeviceSetup device;
  int open_error = 0;
  bool rule_installed = true;
  bool acl = true;
  std::optional<std::string> sinks = kSinks;
  std::optional<std::string> sources = kSources;
};

class DoctorOnTestbed : public ::testing::Test {
 protected:
  std::map<std::string, DoctorCheck> Run(const Machine& setup) {
    test::UsbTestbed testbed;
    if (setup.plugged) testbed.Plug(setup.device);
    program_.Write("AudioConfig.cfg", kConfig);
    program_.Write("libDLLQK_UsbAudio77xx.so", "");
    std::filesystem::remove(rules_.File("70-audio77.rules"));
    if (setup.rule_installed) rules_.Write("70-audio77.rules", "");
    DoctorEnvironment environment;
    environment.program_folder = program_.path().string() + "/";
    environment.rule_folders = {rules_.path().string()};
    environment.user_name = "tester";
    environment.user_id = 1000;
    environment.open_error = [&setup, this](const std::string& node) {
      opened_ = node;
      return setup.open_error;
    };
    environment.acl_grants_user = [&setup](const std::string&) { return setup.acl; };
    environment.sound_server_list = [&setup](const std::string& kind) {
      return kind == "sinks" ? setup.sinks : setup.sources;
    };
    environment.session_bus = [] { return true; };
    environment.notification_area = [] { return true; };
    environment.window_running = [] { return false; };
    Doctor doctor(host_->Get(), environment);
    const auto checks = doctor.Run();
    healthy_ = Doctor::Healthy(checks);
    std::map<std::string, DoctorCheck> by_name;
    for (const auto& check : checks) by_name[check.check] = check;
    return by_name;
  }

  std::unique_ptr<PlatformHost> host_ = CreatePlatform(PlatformKind::kLinux);
  test::TempDir program_;
  test::TempDir rules_;
  std::string opened_;
  bool healthy_ = false;
};

TEST_F(DoctorOnTestbed, APresentDeviceNamesItsUsbIdSysfsFolderNodeAndCard) {
  auto checks = Run({});
  EXPECT_TRUE(healthy_);
  EXPECT_EQ(checks["device"].status, DoctorStatus::kOk);
  EXPECT_NE(checks["device"].finding.find("2e8d:771f"), std::string::npos) << checks["device"].finding;
  EXPECT_NE(checks["device"].finding.find("/sys/bus/usb/devices/1-1"), std::string::npos);
  EXPECT_EQ(checks["hid"].status, DoctorStatus::kOk);
  EXPECT_EQ(checks["hid"].finding.rfind("/dev/hidraw0 is the vendor interface", 0), 0u) << checks["hid"].finding;
  EXPECT_EQ(opened_, "/dev/hidraw0");
  EXPECT_EQ(checks["access"].status, DoctorStatus::kOk);
  EXPECT_EQ(checks["sound card"].status, DoctorStatus::kOk);
  EXPECT_NE(checks["sound card"].finding.find("card1"), std::string::npos);
  EXPECT_EQ(checks["sound server"].finding,
            "sink alsa_output.usb-77xx.analog-stereo, source alsa_input.usb-77xx.mono-fallback");
}

TEST_F(DoctorOnTestbed, EachMissingPieceFailsWithItsFix) {
  struct Case {
    const char* what;
    std::function<void(Machine&)> change;
    const char* check;
    DoctorStatus status;
    const char* finding_part;
    const char* fix_part;
  };
  const Case cases[] = {
      {"unplugged", [](Machine& m) { m.plugged = false; }, "device", DoctorStatus::kFail, "no 77xx device is plugged in", "lsusb -d 2e8d:"},
      {"not listed", [](Machine& m) { m.device.product_id = 0x1234; }, "device", DoctorStatus::kFail,
       "USB device 2e8d:1234 is plugged in", "audio77ctl ids sign"},
      {"no hidraw", [](Machine& m) { m.device.hid = false; }, "hid", DoctorStatus::kFail, "has no hidraw node", "modprobe"},
      {"no rule", [](Machine& m) { m.open_error = EACCES; m.rule_installed = false; }, "access", DoctorStatus::kFail,
       "tester (uid 1000) may not open /dev/hidraw0: no udev rule", "sudo apt install audio77"},
      {"rule not applied", [](Machine& m) { m.open_error = EACCES; m.acl = false; }, "access", DoctorStatus::kFail,
       "ACL does not name this user", "sudo setfacl -m u:tester:rw /dev/hidraw0"},
      {"node gone", [](Machine& m) { m.open_error = ENODEV; }, "access", DoctorStatus::kFail, "cannot be opened", "replug"},
      {"no sound card", [](Machine& m) { m.device.sound_card = false; }, "sound card", DoctorStatus::kFail,
       "bound no ALSA sound card to 2e8d:771f", "snd-usb-audio"},
      {"no sound server", [](Machine& m) { m.sinks = std::nullopt; }, "sound server", DoctorStatus::kWarn, "no sound server answers",
       "pipewire-pulse"},
      {"no pactl", [](Machine& m) { m.sinks = std::string(); }, "sound server", DoctorStatus::kWarn, "pactl is not installed",
       "pulseaudio-utils"},
      {"no microphone", [](Machine& m) { m.sources = std::string("[]"); }, "sound server", DoctorStatus::kWarn,
       "no source (microphone) of card1", "set-card-profile"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Machine machine;
    c.change(machine);
    auto checks = Run(machine);
    const DoctorCheck& check = checks[c.check];
    EXPECT_EQ(check.status, c.status) << check.finding;
    EXPECT_NE(check.finding.find(c.finding_part), std::string::npos) << check.finding;
    EXPECT_NE(check.fix.find(c.fix_part), std::string::npos) << check.fix;
    EXPECT_EQ(healthy_, c.status != DoctorStatus::kFail);
  }
}

TEST_F(DoctorOnTestbed, WithoutADeviceTheDeviceChecksAreSkipped) {
  Machine unplugged;
  unplugged.plugged = false;
  auto checks = Run(unplugged);
  for (const char* name : {"hid", "access", "sound card", "sound server"}) {
    EXPECT_EQ(checks[name].status, DoctorStatus::kSkip) << name;
  }
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
}  // namespace audio77::ctl
