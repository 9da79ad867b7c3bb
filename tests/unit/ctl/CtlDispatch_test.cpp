#include "CtlTestRun.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace audio77::ctl {
namespace {

TEST(CtlDispatch, HelpVersionAndUsageErrors) {
  const auto help = RunCommand({"--help"});
  EXPECT_EQ(help.code, kExitOk);
  EXPECT_NE(help.out.find("Usage: audio77ctl <noun> <verb>"), std::string::npos);

  const auto version = RunCommand({"--version"});
  EXPECT_EQ(version.code, kExitOk);
  EXPECT_EQ(version.out.rfind("audio77ctl ", 0), 0u);

  for (const auto& args : std::vector<std::vector<std::string>>{{}, {"no-such-noun", "x"}}) {
    const auto result = RunCommand(args);
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_TRUE(result.out.empty());
    EXPECT_EQ(result.err.rfind("audio77ctl: ", 0), 0u);
  }
}

TEST(CtlDispatch, EveryNounHasOneUniqueNameAndUsage) {
  std::set<std::string> names;
  for (const auto& noun : AllNouns()) {
    EXPECT_TRUE(names.insert(noun.name).second) << noun.name;
    EXPECT_EQ(noun.usage.rfind(noun.name + " ", 0), 0u) << noun.usage;
    EXPECT_NE(noun.run, nullptr);
  }
}

}  // namespace
}  // namespace audio77::ctl
