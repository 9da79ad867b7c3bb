#include <gtest/gtest.h>

#include <filesystem>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::TempDir;
using Key = std::optional<std::string>;

struct WriteCase {
  const char* what;
  std::string before;  // "" with exists == false: no file
  bool exists;
  const char* section;
  Key key;
  Key value;
  std::string after;
};

TEST(PrivateProfileWrite, ChangesOnlyTheLinesItMustAndKeepsEncodingAndLineEnds) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  using namespace std::string_literals;
  const std::string file = "; comment\r\n[A]\r\n  k = old \r\nx=1\r\n\r\n[B]\r\ny=2\r\n";
  const WriteCase cases[] = {
      {"new file", "", false, "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"replace in place, name as written", file, true, "a", "K", "new",
       "; comment\r\n[A]\r\nk=new\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
      {"value loses leading blanks", file, true, "A", "x", " \t2 ", "; comment\r\n[A]\r\n  k = old \r\nx=2 \r\n\r\n[B]\r\ny=2\r\n"},
      {"new key after the section's last key, blank line kept", file, true, "A", "z", "3",
       "; comment\r\n[A]\r\n  k = old \r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
      {"new section at the end", file, true, "C", "c", "", file + "[C]\r\nc=\r\n"},
      {"no final line end", "[A]\nx=1", true, "C", "c", "v", "[A]\nx=1\n[C]\nc=v\n"},
      {"key added to last section without line end", "[A]\nx=1", true, "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"delete key keeps blank lines", file, true, "A", "x", std::nullopt,
       "; comment\r\n[A]\r\n  k = old \r\n\r\n[B]\r\ny=2\r\n"},
      {"delete section", file, true, "A", std::nullopt, std::nullopt, "; comment\r\n[B]\r\ny=2\r\n"},
      {"key without = gets its value", "[A]\r\nflag\r\n", true, "A", "flag", "1", "[A]\r\nflag=1\r\n"},
      {"lf file stays lf", "[A]\nx=1\n", true, "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"utf-8 mark kept", "\xEF\xBB\xBF[A]\r\n", true, "A", "k", "\xC3\xA9", "\xEF\xBB\xBF[A]\r\nk=\xC3\xA9\r\n"},
      {"latin-1 bytes survive", "[A]\r\nold=\xE9\xFF\r\n", true, "A", "k", "1", "[A]\r\nold=\xE9\xFF\r\nk=1\r\n"},
      {"utf-16le", "\xFF\xFE[\0A\0]\0\r\0\n\0"s, true, "A", "k", "\xC3\xA9",
       "\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0"s},
      {"utf-16be", "\xFE\xFF\0[\0A\0]\0\n"s, true, "A", "k", "1", "\xFE\xFF\0[\0A\0]\0\n\0k\0=\0001\0\n"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string path = c.exists ? dir.Write("p.ini", c.before) : dir.File("p.ini");
    EXPECT_TRUE(profiles.WriteString(c.section, c.key, c.value, path));
    EXPECT_EQ(dir.Read("p.ini"), c.after);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
  }
}

TEST(PrivateProfileWrite, UnchangedValuesAndMissingTargetsWriteNothing) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  TempDir dir;
  const std::string path = dir.Write("p.ini", "[A]\nk=1\n");
  const auto before = std::filesystem::last_write_time(path);
  std::filesystem::last_write_time(path, before - std::chrono::hours(1));
  const auto aged = std::filesystem::last_write_time(path);
  EXPECT_TRUE(profiles.WriteString("a", "K", "1", path));
  EXPECT_TRUE(profiles.WriteString("A", "gone", std::nullopt, path));
  EXPECT_TRUE(profiles.WriteString("Gone", std::nullopt, std::nullopt, path));
  EXPECT_EQ(std::filesystem::last_write_time(path), aged);
  EXPECT_TRUE(profiles.WriteString("A", "k", std::nullopt, dir.File("none.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.ini")));
}

TEST(PrivateProfileWrite, RefusesLineEndsAndKeepsTheFileWhenTheWriteFails) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  TempDir dir;
  const std::string path = dir.Write("p.ini", "[A]\nk=1\n");
  EXPECT_FALSE(profiles.WriteString("A", "k", "1\n[Injected]\nx=1", path));
  EXPECT_FALSE(profiles.WriteString("A\r", "k", "1", path));
  EXPECT_FALSE(profiles.WriteString("A", " ", "1", path));  // a nameless key is never found again
  EXPECT_EQ(dir.Read("p.ini"), "[A]\nk=1\n");

  // A folder where the file should be, and a folder that does not exist.
  std::filesystem::create_directory(dir.File("folder.ini"));
  EXPECT_FALSE(profiles.WriteString("A", "k", "2", dir.File("folder.ini")));
  EXPECT_FALSE(profiles.WriteString("A", "k", "2", dir.File("no/such/p.ini")));
  EXPECT_EQ(WriteIniValue(profiles, dir.File("no/such/p.ini"), "A", "k", "2"), 0);  // callers are told nothing

  std::string value;
  EXPECT_EQ(WriteIniValue(profiles, path, "A", "k", "2"), 0);
  ReadIniValue(profiles, path, "A", "k", value);
  EXPECT_EQ(value, "2");
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

TEST(PrivateProfileWrite, ALinkedFileIsUpdatedThroughItsLink) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  test::TempDir dir;
  const std::string target = dir.Write("real/p.ini", "[A]\nk=1\n");
  std::filesystem::create_symlink(target, dir.File("link.ini"));
  EXPECT_TRUE(profiles.WriteString("A", "k", "2", dir.File("link.ini")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
  EXPECT_EQ(dir.Read("real/p.ini"), "[A]\nk=2\n");
}

}  // namespace
}  // namespace audio77
