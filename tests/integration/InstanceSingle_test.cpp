// Two window instances of audio77 for one user: the second brings the first
// forward and ends at once, before any window of its own exists.
#include <gtest/gtest.h>

#include <csignal>

#include "support/BackgroundProcess.h"
#include "support/PrivateBus.h"
#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

using std::chrono::seconds;

std::string Audio77() { return (DistDir() / "audio77").string(); }

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string SendExitMessage(const std::string& bus_address) {
  return RunProcess("/usr/bin/dbus-send",
                    {"--bus=" + bus_address, "--type=signal", "/org/audio77/Messages",
                     "org.audio77.Messages.Message", "string:WM_QKW77xxAPP_EXIT"})
      .err;
}

// The Linux platform: the lock in the runtime folder, the link and the
// messages on a session bus of this test's own.
TEST(InstanceSingle, SecondInstanceRaisesTheFirstOverTheSessionBus) {
  TempDir runtime;
  PrivateBus bus;
  ASSERT_FALSE(bus.Address().empty());
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "linux"},
                                               {"AUDIO77_DEBUG", "1"},
                                               {"XDG_RUNTIME_DIR", runtime.path().string()},
                                               {"DBUS_SESSION_BUS_ADDRESS", bus.Address()}};
  BackgroundProcess first(Audio77(), {"-serviceboot"}, env);
  ASSERT_TRUE(first.WaitForErr("FormActivate-serviceboot", seconds(30))) << first.Err();

  const auto second = RunProcess(Audio77(), {"-SERVICESTART"}, env);
  EXPECT_EQ(second.exit_code, 0);
  EXPECT_EQ(second.err.find("FormActivate"), std::string::npos) << "the second instance made a window";
  // Minimised at its first activation, the first instance is restored and activated again.
  ASSERT_TRUE(WaitUntil([&] { return Count(first.Err(), "FormActivate") == 2; }, seconds(10))) << first.Err();
  EXPECT_NE(first.Err().find("FormActivate-servicebootFormActivate"), std::string::npos)
      << "the minimise request must not come back: " << first.Err();
  EXPECT_EQ(first.Err().find("FormActivate-servicebootFormActivate-serviceboot"), std::string::npos);
  EXPECT_TRUE(first.Running());

  // The registered exit message closes the program normally.
  EXPECT_EQ(SendExitMessage(bus.Address()), "");
  EXPECT_EQ(first.Wait(seconds(20)), 0);

  // The lock went with the process: the next window instance runs.
  BackgroundProcess third(Audio77(), {"-servicestart"}, env);
  ASSERT_TRUE(third.WaitForErr("FormActivate", seconds(30))) << third.Err();
  third.Signal(SIGTERM);
  EXPECT_EQ(third.Wait(seconds(20)), 0) << "SIGTERM ends the window instance normally";
}

// Without a session bus the lock alone keeps the second instance out.
TEST(InstanceSingle, WithoutASessionBusTheLockAloneDecides) {
  TempDir runtime;
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "linux"},
                                               {"AUDIO77_DEBUG", "1"},
                                               {"XDG_RUNTIME_DIR", runtime.path().string()},
                                               {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"}};
  BackgroundProcess first(Audio77(), {"-servicestart"}, env);
  ASSERT_TRUE(first.WaitForErr("FormActivate", seconds(30))) << first.Err();
  const auto second = RunProcess(Audio77(), {"-serviceboot"}, env);
  EXPECT_EQ(second.exit_code, 0);
  EXPECT_EQ(second.err.find("FormActivate"), std::string::npos);
  EXPECT_TRUE(first.Running());
  first.Signal(SIGINT);
  EXPECT_EQ(first.Wait(seconds(20)), 0);
}

// The virtual platform: both instances against one state folder.
TEST(InstanceSingle, VirtualInstancesShareTheStateFolder) {
  TempDir state;
  state.Write("services.ini", "[AudioDeviceService]\nState=running\n");
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "virtual"},
                                               {"AUDIO77_DEBUG", "1"},
                                               {"AUDIO77_VIRTUAL_DIR", state.path().string()}};
  BackgroundProcess first(Audio77(), {"-servicestart"}, env);
  ASSERT_TRUE(first.WaitForErr("FormActivate", seconds(30))) << first.Err();
  const auto second = RunProcess(Audio77(), {"-ServiceBoot"}, env);
  EXPECT_EQ(second.exit_code, 0);
  EXPECT_EQ(second.err.find("FormActivate"), std::string::npos);
  const std::string trace = state.Read("trace.log");
  EXPECT_EQ(Count(trace, "instance lock {196BFF53-13AC-4BB7-8F82-D7E5E55E19F7} = acquired"), 1u) << trace;
  EXPECT_EQ(Count(trace, "instance lock {196BFF53-13AC-4BB7-8F82-D7E5E55E19F7} = held"), 1u) << trace;
  EXPECT_NE(trace.find("instance activate Audio77 = found"), std::string::npos) << trace;
  EXPECT_EQ(trace.find("scm"), std::string::npos) << "a window instance sent a service request";
  first.Signal(SIGTERM);
  EXPECT_EQ(first.Wait(seconds(20)), 0);
}

}  // namespace
}  // namespace audio77::test
