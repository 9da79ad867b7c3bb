#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "platform/RecordingDebugOutput.h"

namespace audio77 {
namespace {

struct InformationCase {
  std::vector<std::string> arguments;
  InformationRequest expected;
};

TEST(CommandLineInformation, HelpAndVersionAnswerOnlyBeforeTheFirstRoleSwitch) {
  const InformationCase cases[] = {
      {{"audio77", "--help"}, InformationRequest::kHelp},
      {{"audio77", "-h"}, InformationRequest::kHelp},
      {{"audio77", "--version"}, InformationRequest::kVersion},
      {{"audio77", "-x", "--version", "--help"}, InformationRequest::kVersion},
      {{"audio77", "--help", "-servicestart"}, InformationRequest::kHelp},
      // After a role switch the words are the role's business, as before.
      {{"audio77", "-servicestart", "--help"}, InformationRequest::kNone},
      {{"audio77", "-BOOT", "--version"}, InformationRequest::kNone},
      // Desktop tools spell them exactly; other spellings stay plain arguments.
      {{"audio77", "--HELP"}, InformationRequest::kNone},
      {{"audio77", "-help"}, InformationRequest::kNone},
      {{"audio77"}, InformationRequest::kNone},
      {{"audio77", ""}, InformationRequest::kNone},
  };
  for (const auto& [arguments, expected] : cases) {
    EXPECT_EQ(CommandLine(arguments).AskedForInformation(), expected) << CommandLine(arguments).RawText();
  }
}

TEST(CommandLineInformation, AnInformationWordChangesNoRole) {
  RecordingDebugOutput debug;
  EXPECT_EQ(CommandLine({"audio77", "--help", "-boot"}).ChooseRole(debug), Role::kBootRequest);
  EXPECT_EQ(CommandLine({"audio77", "--version"}).ChooseRole(debug), Role::kServiceRequest);
}

TEST(CommandLineInformation, UsageNamesEverySwitchAndVersionTheNumber) {
  const std::string usage = CommandLine::UsageText();
  for (const char* word : {"Usage: audio77", "-servicestart", "-serviceboot", "-boot", "--help", "--version",
                           "AUDIO77_PLATFORM=virtual", "audio77ctl doctor"}) {
    EXPECT_NE(usage.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(CommandLine::VersionText("1.2.3"), "audio77 1.2.3\n");
}

}  // namespace
}  // namespace audio77
