// Registered messages between real processes on a private session bus: the
// example plug-in ends on "WM_AUDIO_EFFECT_EXIT" and says so with
// "WM_APP_EXIT_RESUME".
#include <gtest/gtest.h>

#include <csignal>

#include "support/BackgroundProcess.h"
#include "support/PrivateBus.h"
#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

using std::chrono::seconds;

std::string Program(const char* name) { return (DistDir() / name).string(); }

class BusPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(bus_.Address().empty());
    monitor_ = std::make_unique<BackgroundProcess>(
        "/usr/bin/dbus-monitor",
        std::vector<std::string>{"--address", bus_.Address(), "type='signal',interface='org.audio77.Messages'"});
    // The monitor gives up its own name once it watches the bus.
    ASSERT_TRUE(WaitUntil([&] { return monitor_->Out().find("member=NameLost") != std::string::npos; },
                          seconds(10)))
        << monitor_->Out() << monitor_->Err();
  }

  std::unique_ptr<BackgroundProcess> StartPlugin() {
    auto plugin = std::make_unique<BackgroundProcess>(
        Program("audio77-plugin-example"), std::vector<std::string>{},
        std::map<std::string, std::string>{{"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
    EXPECT_TRUE(plugin->WaitForErr("listening", seconds(30))) << plugin->Err();
    return plugin;
  }

  void Send(const std::string& name) {
    const auto result = RunProcess("/usr/bin/dbus-send",
                                   {"--bus=" + bus_.Address(), "--type=signal", "/org/audio77/Messages",
                                    "org.audio77.Messages.Message", "string:" + name});
    EXPECT_EQ(result.exit_code, 0) << result.err;
  }

  bool MonitorSaw(const std::string& name) {
    return WaitUntil([&] { return monitor_->Out().find("\"" + name + "\"") != std::string::npos; },
                     seconds(10));
  }

  PrivateBus bus_;
  std::unique_ptr<BackgroundProcess> monitor_;
};

TEST_F(BusPlugin, EndsOnEffectExitAndAnnouncesResume) {
  auto plugin = StartPlugin();
  // Messages that are not for it leave it running.
  Send("WM_APP_EXIT_RESUME");
  Send("WM_SOMETHING_ELSE");
  EXPECT_FALSE(plugin->Wait(std::chrono::milliseconds(300)).has_value()) << plugin->Err();

  Send("WM_AUDIO_EFFECT_EXIT");
  EXPECT_EQ(plugin->Wait(seconds(20)), 0) << plugin->Err();
  EXPECT_TRUE(MonitorSaw("WM_APP_EXIT_RESUME")) << monitor_->Out();
}

TEST_F(BusPlugin, TerminationSignalAlsoAnnouncesResume) {
  auto plugin = StartPlugin();
  plugin->Signal(SIGTERM);
  EXPECT_EQ(plugin->Wait(seconds(20)), 0) << plugin->Err();
  EXPECT_TRUE(MonitorSaw("WM_APP_EXIT_RESUME")) << monitor_->Out();
}

// The control panel's exit message closes the window instance but is nothing
// to a plug-in; the plug-in's exit message is nothing to the control panel.
TEST_F(BusPlugin, EachProgramAnswersOnlyItsOwnMessages) {
  TempDir runtime;
  BackgroundProcess panel(Program("audio77"), {"-servicestart"},
                          {{"AUDIO77_PLATFORM", "linux"},
                           {"AUDIO77_DEBUG", "1"},
                           {"XDG_RUNTIME_DIR", runtime.path().string()},
                           {"DBUS_SESSION_BUS_ADDRESS", bus_.Address()}});
  ASSERT_TRUE(panel.WaitForErr("FormActivate", seconds(30))) << panel.Err();
  auto plugin = StartPlugin();

  Send("WM_AUDIO_EFFECT_EXIT");
  EXPECT_EQ(plugin->Wait(seconds(20)), 0);
  EXPECT_TRUE(MonitorSaw("WM_APP_EXIT_RESUME"));
  EXPECT_TRUE(panel.Running()) << "the plug-in's messages closed the control panel";

  Send("WM_QKW77xxAPP_EXIT");
  EXPECT_EQ(panel.Wait(seconds(20)), 0) << panel.Err();
}

}  // namespace
}  // namespace audio77::test
