#include <gtest/gtest.h>

#include <filesystem>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "settings/ProfileDocument.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::FixturePath;
using test::TempDir;

struct ReadCase {
  const char* section;
  const char* key;
  const char* default_value;
  const char* expected;
};

// Names compare without regard to case, Latin-1 capitals included; a name
// beyond ASCII never matches an ASCII one, however the lengths fall.
TEST(PrivateProfileRead, NamesFoldCaseWithinASCIIAndLatin1Only) {
  struct Case {
    const char* line_name;
    const char* asked;
    bool found;
  };
  const Case cases[] = {
      {"Key", "kEY", true},
      {"  Key  ", "key", true},
      {"\xC3\x84pfel", "\xC3\xA4PFEL", true},  // "Äpfel" / "äPFEL"
      {"\xC3\x84", "a", false},
      {"ab", "\xC3\xA4", false},                  // same byte length, one side beyond ASCII
      {"Key2", "Key", false},
      {"\xE2\x84\xAA", "k", false},              // the Kelvin sign is no "k" here
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line_name);
    const auto document = ProfileDocument::Parse(std::string("[S]\n") + c.line_name + "=v\n");
    EXPECT_EQ(document.Find("s", c.asked).has_value(), c.found);
  }
}

TEST(PrivateProfileRead, FollowsThePlatformLookupRules) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const std::string path = FixturePath("settings/profile-read.ini").string();
  const ReadCase cases[] = {
      {"Main", "Title", "d", "Audio 77"},          // trimmed, then quotes removed
      {" MAIN ", " title ", "d", "Audio 77"},      // names trimmed, case ignored
      {"Main", "Empty", "d", ""},                  // "k=" is an empty value, not missing
      {"Main", "novalue", "d", "d"},               // a key without "=" reads as missing
      {"Main", ";x", "d", "1"},                    // no comment syntax in lookups
      {"Main", "dup", "d", "first"},               // first key wins, whatever its case
      {"Main", "quoted", "d", "single"},
      {"Main", "half", "d", "\"open"},             // one quote alone stays
      {"Main", "", "d", "d"},                      // "=nameless" has no name to find
      {"Main", " ", "d", "d"},
      {"Main", "other", "d", "d"},                 // only the first matching section is searched
      {"Spaced ] trailing", "k", "d", "v"},        // name runs to the last "]"
      {"", "lone", "d", "before"},                 // lines before a header: the unnamed section
      {"Missing", "k", "'quoted default'", "quoted default"},
      {"Main", "missing", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(profiles.GetString(c.section, c.key, c.default_value, 256, path), c.expected);
  }
}

TEST(PrivateProfileRead, CutsToTheBufferAndFallsBackForMissingFiles) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  TempDir dir;
  const std::string long_value(300, 'x');
  const std::string path = dir.Write("long.ini", "[S]\nlong=" + long_value + "\nwide=\xC3\xA9\xC3\xA9\xC3\xA9\n");
  EXPECT_EQ(profiles.GetString("S", "long", "", 32, path), std::string(31, 'x'));
  EXPECT_EQ(profiles.GetString("S", "wide", "", 3, path), "\xC3\xA9\xC3\xA9");  // characters, not bytes
  EXPECT_EQ(profiles.GetString("S", "long", "d", 0, path), "");

  std::string value = "stale";
  EXPECT_EQ(ReadIniValue(profiles, path, "S", "long", value), 0);
  EXPECT_EQ(value, std::string(255, 'x'));
  EXPECT_EQ(ReadIniValue(profiles, dir.File("missing.ini"), "S", "long", value), 0);
  EXPECT_EQ(value, "");
  EXPECT_EQ(profiles.GetString("S", "k", "fallback", 256, dir.path().string()), "fallback");
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(FileExists(dir.File("missing.ini")));
  EXPECT_FALSE(FileExists(dir.path().string()));
}

struct EncodedCase {
  const char* what;
  std::string bytes;
};

TEST(PrivateProfileRead, ReadsEveryEncodingTheFilesComeIn) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  using namespace std::string_literals;
  const EncodedCase cases[] = {
      {"utf-8", "[S]\r\nk=\xC3\xA9t\xC3\xA9\r\n"},
      {"utf-8 with mark, lf only", "\xEF\xBB\xBF[S]\nk=\xC3\xA9t\xC3\xA9\n"},
      {"latin-1 bytes", "[S]\rk=\xE9t\xE9\r"},
      {"utf-16le", "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0t\0\xE9\0"s},
      {"utf-16be", "\xFE\xFF\0[\0S\0]\0\n\0k\0=\0\xE9\0t\0\xE9"s},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.Write("encoded.ini", c.bytes);
    EXPECT_EQ(profiles.GetString("s", "K", "", 256, path), "\xC3\xA9t\xC3\xA9");
  }
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

TEST(PrivateProfileRead, SeesEveryChangeOfTheFileAtOnce) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  test::TempDir dir;
  for (const char* value : {"1", "2", "3"}) {  // same size, same second: only the content tells them apart
    const std::string path = dir.Write("p.ini", std::string("[S]\nk=") + value + "\n");
    EXPECT_EQ(profiles.GetString("S", "k", "", 32, path), value);
  }
  std::filesystem::remove(dir.File("p.ini"));
  EXPECT_EQ(profiles.GetString("S", "k", "gone", 32, dir.File("p.ini")), "gone");
}

}  // namespace
}  // namespace audio77
