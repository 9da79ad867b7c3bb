// The real program on the virtual device, driven from outside as a person or
// a script would: audio77ctl ui reads the window, audio77ctl virtual plugs
// and unplugs, and the device's trace shows what reached it.
#include <gtest/gtest.h>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

using std::chrono::seconds;

class MainWindow : public WindowScenario {
 protected:
  void Start(const std::string& device_ini = {}) { WindowScenario::Start({device_ini, {}}); }
  std::string Trace() const { return state_.Read("trace.log"); }
};

TEST_F(MainWindow, FollowsTheDeviceAndLeavesItNeutralAtTheEnd) {
  Start();
  EXPECT_NE(Ui({"state"}).out.find("device_active=1"), std::string::npos);
  EXPECT_NE(Ui({"get", "DeviceActiveLabel"}).out.find("caption=\"Device connected\""), std::string::npos);
  ASSERT_EQ(Ctl({"virtual", "unplug"}).exit_code, 0);
  EXPECT_TRUE(WaitForUi({"get", "DeviceActiveLabel"}, "caption=\"No device\""));
  EXPECT_NE(Ui({"state"}).out.find("device_active=0"), std::string::npos);
  ASSERT_EQ(Ctl({"virtual", "plug"}).exit_code, 0);
  EXPECT_TRUE(WaitForUi({"state"}, "device_active=1"));
  // What the window wrote can be read back from outside.
  EXPECT_EQ(Ctl({"reg", "read", "0x100"}).exit_code, 0);

  const std::size_t before_close = Trace().size();
  EXPECT_EQ(Ui({"menu", "Close"}).exit_code, 0);
  EXPECT_EQ(program_->Wait(seconds(30)), 0);
  const std::string shutdown = Trace().substr(before_close);
  EXPECT_NE(shutdown.find("hid out 006000011"), std::string::npos) << shutdown;
  EXPECT_NE(shutdown.find("ext ioctl 0x08232008 in=00000000"), std::string::npos) << shutdown;
  EXPECT_NE(shutdown.find("lib DLLQK_AudioCommand 07"), std::string::npos) << shutdown;
}

TEST_F(MainWindow, AnAbsentDeviceIsSearchedForAndExitWhileUnpluggedSendsNothing) {
  Start("[Device]\nPresent=0\n");
  EXPECT_NE(Ui({"state"}).out.find("device_active=0"), std::string::npos);
  EXPECT_NE(Ui({"get", "DeviceActiveLabel"}).out.find("caption=\"No device\""), std::string::npos);
  ASSERT_EQ(Ctl({"virtual", "plug"}).exit_code, 0);
  EXPECT_TRUE(WaitForUi({"state"}, "device_active=1"));
  ASSERT_EQ(Ctl({"virtual", "unplug"}).exit_code, 0);
  EXPECT_TRUE(WaitForUi({"state"}, "device_active=0"));
  const std::size_t before_close = Trace().size();
  EXPECT_EQ(Ui({"menu", "Close"}).exit_code, 0);
  EXPECT_EQ(program_->Wait(seconds(30)), 0);
  const std::string shutdown = Trace().substr(before_close);
  EXPECT_EQ(shutdown.find("hid out"), std::string::npos) << shutdown;
  EXPECT_EQ(shutdown.find("lib DLLQK_AudioCommand"), std::string::npos) << shutdown;
}

TEST_F(MainWindow, ADeviceWithoutItsDriverExtensionWaitsForTheSearchTimer) {
  Start("[Faults]\next=missing\n");
  EXPECT_NE(Ui({"get", "DeviceActiveLabel"}).out.find("caption=\"Driver not found\""), std::string::npos);
  // The search timer runs every two seconds and activates the answering device.
  EXPECT_TRUE(WaitForUi({"state"}, "device_active=1"));
  EXPECT_EQ(Ui({"menu", "Close"}).exit_code, 0);
  EXPECT_EQ(program_->Wait(seconds(30)), 0);
}

}  // namespace
}  // namespace audio77::test
