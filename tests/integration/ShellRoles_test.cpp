// The one-shot roles of audio77 on the virtual platform: debug output, exit
// code and the service requests in the virtual trace.
#include <gtest/gtest.h>

#include "support/BackgroundProcess.h"
#include "support/PrivateBus.h"
#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

std::string Audio77() { return (DistDir() / "audio77").string(); }

struct RoleCase {
  std::vector<std::string> arguments;
  std::string services_ini;
  std::string debug_tail;  // the end of the debug output
  std::string trace;       // the whole virtual trace
};

TEST(ShellRoles, OneShotRolesSendTheirCodeAndEndWithoutAWindow) {
  const std::string running = "[AudioDeviceService]\nState=running\n";
  const RoleCase cases[] = {
      {{}, running,
       "===== Service Control Execution no service =====\nControlTheService ret = 0\n",
       "scm - open-manager 0x1 = ok\nscm AudioDeviceService open 0x104 = ok\n"
       "scm AudioDeviceService query - = 4\nscm AudioDeviceService control 193 = ok\n"
       "scm AudioDeviceService close - = ok\nscm - close-manager - = ok\n"},
      {{"-x", "-BOOT", "-servicestart"}, running,
       "ParamStr(3) = -servicestart\n-x-boot===== Service Control Execution -boot =====\n"
       "ControlTheService ret = 0\n",
       "scm - open-manager 0x1 = ok\nscm AudioDeviceService open 0x104 = ok\n"
       "scm AudioDeviceService query - = 4\nscm AudioDeviceService control 196 = ok\n"
       "scm AudioDeviceService close - = ok\nscm - close-manager - = ok\n"},
      {{"", "--frobnicate"}, "",
       "ParamStr(2) = --frobnicate\n--frobnicate===== Service Control Execution no service =====\nControlTheService ret = 2\n",
       "scm - open-manager 0x1 = ok\nscm AudioDeviceService open 0x104 = failed\nscm - close-manager - = ok\n"},
      {{"-boot"}, "[Manager]\nReachable=0\n",
       "-boot===== Service Control Execution -boot =====\nControlTheService ret = 1\n",
       "scm - open-manager 0x1 = failed\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.debug_tail);
    TempDir state;
    if (!c.services_ini.empty()) state.Write("services.ini", c.services_ini);
    else state.Write("placeholder", "");
    // A session's runtime folder, so that Qt has nothing to note before our output.
    TempDir runtime;
    const auto result = RunProcess(Audio77(), c.arguments,
                                   {{"AUDIO77_PLATFORM", "virtual"},
                                    {"AUDIO77_VIRTUAL_DIR", state.path().string()},
                                    {"XDG_RUNTIME_DIR", runtime.path().string()},
                                    {"AUDIO77_DEBUG", "1"}});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err.rfind("ParamStr(0) = " + (DistDir() / "audio77").string() + "\n", 0), 0u) << result.err;
    ASSERT_GE(result.err.size(), c.debug_tail.size());
    EXPECT_EQ(result.err.substr(result.err.size() - c.debug_tail.size()), c.debug_tail) << result.err;
    EXPECT_EQ(state.Read("trace.log"), c.trace);
  }
}

// On Linux the requests go to systemd on the system bus; here a stand-in
// answers on a private bus that DBUS_SYSTEM_BUS_ADDRESS names.
TEST(ShellRoles, LinuxRequestsReachTheSystemdUnit) {
  struct Case {
    const char* units;  // the stand-in's units; null: no system bus at all
    const char* argument;
    const char* result;
  };
  const Case cases[] = {
      {R"({"units": {"AudioDeviceService.service": {"state": "active"}}})", "-boot", "ControlTheService ret = 0\n"},
      {R"({"units": {"AudioDeviceService.service": {"state": "active"}}})", "-other", "ControlTheService ret = 0\n"},
      {R"({"units": {"SomethingElse.service": {"state": "active"}}})", "-boot", "ControlTheService ret = 2\n"},
      {nullptr, "-boot", "ControlTheService ret = 1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.units != nullptr ? c.units : "no system bus");
    PrivateBus bus;
    ASSERT_FALSE(bus.Address().empty());
    std::unique_ptr<BackgroundProcess> systemd;
    std::string address = "unix:path=/nonexistent/system_bus_socket";
    if (c.units != nullptr) {
      address = bus.Address();
      systemd = std::make_unique<BackgroundProcess>(
          "/usr/bin/python3",
          std::vector<std::string>{"-m", "dbusmock", "--template",
                                   (SourceDir() / "tests/dbus/systemd_units.py").string(), "-p", c.units},
          std::map<std::string, std::string>{{"DBUS_SYSTEM_BUS_ADDRESS", address}});
      ASSERT_TRUE(WaitUntil(
          [&] {
            return RunProcess("/usr/bin/dbus-send", {"--bus=" + address, "--print-reply", "--dest=org.freedesktop.DBus",
                                                     "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                                                     "string:org.freedesktop.systemd1"})
                       .out.find("boolean true") != std::string::npos;
          },
          std::chrono::seconds(20)))
          << systemd->Err();
    }
    const auto result = RunProcess(Audio77(), {c.argument},
                                   {{"AUDIO77_PLATFORM", "linux"},
                                    {"AUDIO77_DEBUG", "1"},
                                    {"DBUS_SYSTEM_BUS_ADDRESS", address}});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_NE(result.err.find(c.result), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace audio77::test
