// The two programs, run from the assembled program folder.
#include <gtest/gtest.h>

#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

std::string Program(const char* name) { return (DistDir() / name).string(); }

TEST(Programs, CtlExitCodes) {
  EXPECT_EQ(RunProcess(Program("audio77ctl"), {"--version"}).exit_code, 0);
  const auto usage = RunProcess(Program("audio77ctl"), {"bogus"});
  EXPECT_EQ(usage.exit_code, 2);
  EXPECT_NE(usage.err.find("unknown command 'bogus'"), std::string::npos);
}

TEST(Programs, Audio77WritesDebugOutputOnlyWhenAsked) {
  TempDir state;
  const std::map<std::string, std::string> env{{"AUDIO77_PLATFORM", "virtual"},
                                               {"AUDIO77_VIRTUAL_DIR", state.path().string()}};
  auto quiet = env;
  quiet["AUDIO77_DEBUG"] = "0";
  auto loud = env;
  loud["AUDIO77_DEBUG"] = "1";
  const auto silent = RunProcess(Program("audio77"), {}, quiet);
  EXPECT_EQ(silent.exit_code, 0);
  EXPECT_EQ(silent.err, "");
  const auto talking = RunProcess(Program("audio77"), {}, loud);
  EXPECT_EQ(talking.exit_code, 0);
  EXPECT_FALSE(talking.err.empty());
}

TEST(Programs, UnknownPlatformIsReportedNotCrashed) {
  const auto result = RunProcess(Program("audio77ctl"), {"--version"}, {{"AUDIO77_PLATFORM", "windows"}});
  EXPECT_EQ(result.exit_code, 0);  // --version needs no platform
  const auto program = RunProcess(Program("audio77"), {}, {{"AUDIO77_PLATFORM", "windows"}});
  EXPECT_EQ(program.exit_code, 0);
  EXPECT_NE(program.err.find("AUDIO77_PLATFORM"), std::string::npos);
}

}  // namespace
}  // namespace audio77::test
