#include "platform/DebugFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/RecordingDebugOutput.h"

namespace audio77 {
namespace {

TEST(DebugFormat, FormatsLikePrintf) {
  EXPECT_EQ(FormatDebug("***** fnDLLQK_SetActive_Device, ret = %d *****\n", -3),
            "***** fnDLLQK_SetActive_Device, ret = -3 *****\n");
  EXPECT_EQ(FormatDebug("##### %s = %s\n", "SourceFolderFullPath", "/opt/audio77/"),
            "##### SourceFolderFullPath = /opt/audio77/\n");
  EXPECT_EQ(FormatDebug("%s", ""), "");
}

// The 256-character buffer keeps 255 characters and drops the rest, the line
// end included; a character outside the basic plane takes two of them.
TEST(DebugFormat, CutsAt255BufferCharacters) {
  struct Case {
    std::string input;
    std::string expected;
  };
  const std::string a255(255, 'a');
  const std::string euro = "\xE2\x82\xAC";           // one unit
  const std::string clef = "\xF0\x9D\x84\x9E";       // two units
  std::string euros255;
  for (int i = 0; i < 255; ++i) euros255 += euro;
  const Case cases[] = {
      {a255, a255},
      {a255 + "\n", a255},
      {std::string(300, 'b'), std::string(255, 'b')},
      {euros255 + euro, euros255},
      {std::string(254, 'c') + clef, std::string(254, 'c')},  // the pair does not fit
      {std::string(253, 'c') + clef + "x", std::string(253, 'c') + clef},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDebug("%s", c.input.c_str()), c.expected) << c.input.size();
  }
}

TEST(DebugFormat, StrayBytesCountOneEachAndNeverOverrun) {
  const std::string broken = std::string(250, 'd') + "\xE2\x82";  // cut-off sequence at the end
  EXPECT_EQ(TruncateToUtf16Units(broken, 255), broken);
  EXPECT_EQ(TruncateToUtf16Units("\xF0\x9D", 255), "\xF0\x9D");
  EXPECT_EQ(TruncateToUtf16Units("abc", 0), "");
}

TEST(DebugFormat, DebugPrintfWritesOneRecordPerCall) {
  RecordingDebugOutput out;
  DebugPrintf(out, "ParamStr(%d) = %s\n", 0, "/opt/audio77/audio77");
  DebugPrintf(out, "%s", "-boot");
  EXPECT_EQ(out.Lines(), (std::vector<std::string>{"ParamStr(0) = /opt/audio77/audio77\n", "-boot"}));
  EXPECT_EQ(out.Text(), "ParamStr(0) = /opt/audio77/audio77\n-boot");
  EXPECT_TRUE(out.Contains("-boot"));
}

}  // namespace
}  // namespace audio77
