// The one-shot roles of audio77 on the virtual platform: debug output, exit
// code and the service requests in the virtual trace.
#include <gtest/gtest.h>

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
      {{"", "--help"}, "",
       "ParamStr(2) = --help\n--help===== Service Control Execution no service =====\nControlTheService ret = 2\n",
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
    const auto result = RunProcess(Audio77(), c.arguments,
                                   {{"AUDIO77_PLATFORM", "virtual"},
                                    {"AUDIO77_VIRTUAL_DIR", state.path().string()},
                                    {"AUDIO77_DEBUG", "1"}});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err.rfind("ParamStr(0) = " + (DistDir() / "audio77").string() + "\n", 0), 0u) << result.err;
    ASSERT_GE(result.err.size(), c.debug_tail.size());
    EXPECT_EQ(result.err.substr(result.err.size() - c.debug_tail.size()), c.debug_tail) << result.err;
    EXPECT_EQ(state.Read("trace.log"), c.trace);
  }
}

}  // namespace
}  // namespace audio77::test
