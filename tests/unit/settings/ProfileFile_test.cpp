#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/InProcessFileGuard.h"
#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"
#include "settings/ProfileKeys.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using namespace std::string_literals;

std::size_t FilesIn(const TempDir& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}

// A distinct value for every key of the table: "S" lines in their own format.
std::string SampleValue(const ProfileKey& key, int salt) {
  if (key.key.size() == 2 && key.key[0] == 'S' && key.section == "EQ") {
    return "0x" + std::to_string(400 + salt) + ",0x9FF,0x200,0x400,0x7A1," + std::to_string(salt % 2);
  }
  if (key.section == "Virtual7ch1" && key.key != "7ch1EN") return std::to_string(salt) + "," + std::to_string(salt + 7);
  return std::to_string(salt);
}

class ProfileFileTest : public ::testing::Test {
 protected:
  InProcessFileGuard guard;
  PrivateProfile profiles{guard};
  TempDir dir;
};

TEST_F(ProfileFileTest, ANewProfileLaysOutEveryKeyInTableOrderWhateverOrderTheyComeIn) {
  ProfileFileWriter writer(profiles, dir.File("p.ini"));
  const auto keys = ProfileKeys();
  for (std::size_t i = keys.size(); i-- > 0;) {  // backwards, and one key twice
    writer.WriteText(std::string(keys[i].section), std::string(keys[i].key), SampleValue(keys[i], int(i)));
  }
  writer.WriteInt("eq", "eqen", -12);  // the same key, another spelling: the last value wins
  writer.WriteInt("Extra", "Key", 1);  // a key of no table goes last
  ASSERT_EQ(writer.Commit(), std::nullopt);

  std::string expected;
  std::string_view section;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].section != section) expected += "[" + std::string(section = keys[i].section) + "]\r\n";
    const std::string value = keys[i].key == "EQEN" ? "-12" : SampleValue(keys[i], int(i));
    expected += std::string(keys[i].key) + "=" + value + "\r\n";
  }
  expected += "[Extra]\r\nKey=1\r\n";
  EXPECT_EQ(dir.Read("p.ini"), expected);
  EXPECT_EQ(FilesIn(dir), 1u);  // no temporary left behind

  ProfileFileReader reader(profiles, dir.File("p.ini"));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(keys[i].key);
    const std::string value = keys[i].key == "EQEN" ? "-12" : SampleValue(keys[i], int(i));
    EXPECT_EQ(reader.Text(std::string(keys[i].section), std::string(keys[i].key)), value);
  }
}

TEST_F(ProfileFileTest, AnExistingProfileIsUpdatedInPlaceAndKeepsItsOtherLinesAndEncoding) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"comments, foreign keys and lf line ends stay", "; mine\n[EQ]\nS1=old\nMine=1\n[Other]\nx=y\n",
       "; mine\n[EQ]\nS1=0x400,0x400,0x400,0x400,0x400,1\nMine=1\nEQEN=1\n[Other]\nx=y\n[3D]\n3DEN=0\n"},
      {"utf-16 without a mark stays utf-16", "[\0E\0Q\0]\0\n\0S\0001\0=\0o\0\n\0"s,
       "[\0E\0Q\0]\0\n\0S\0001\0=\0000\0x\0004\0000\0000\0,\0000\0x\0004\0000\0000\0,\0000\0x\0004\0000\0000\0,"
       "\0000\0x\0004\0000\0000\0,\0000\0x\0004\0000\0000\0,\0001\0\n\0E\0Q\0E\0N\0=\0001\0\n\0[\0003\0D\0]\0\n\0"
       "3\0D\0E\0N\0=\0000\0\n\0"s},
      {"empty file", "", "[EQ]\r\nS1=0x400,0x400,0x400,0x400,0x400,1\r\nEQEN=1\r\n[3D]\r\n3DEN=0\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.Write("p.ini", c.before);
    ProfileFileWriter writer(profiles, path);
    writer.WriteInt("3D", "3DEN", 0);
    writer.WriteInt("EQ", "EQEN", 1);
    writer.WriteText("EQ", "S1", "0x400,0x400,0x400,0x400,0x400,1");
    ASSERT_EQ(writer.Commit(), std::nullopt);
    EXPECT_EQ(dir.Read("p.ini"), c.after);
    EXPECT_EQ(FilesIn(dir), 1u);
  }
}

TEST_F(ProfileFileTest, AProfileThatCannotBeWrittenSaysWhyAndChangesNothing) {
  const std::string blocker = dir.Write("file", "keep");
  fs::create_directory(dir.File("folder"));
  struct Case {
    std::string path;
    const char* why;
  };
  std::string large(kMaxProfileBytes + 1, '\n');
  const std::string huge = dir.Write("huge", large);
  fs::create_symlink(dir.File("loop-b"), dir.File("loop-a"));
  fs::create_symlink(dir.File("loop-a"), dir.File("loop-b"));
  const Case cases[] = {
      {dir.File("loop-a"), "symbolic links"},
      {dir.File("folder"), "it is a folder"},
      {huge, "too large for a profile"},
      {dir.File("missing/p.ini"), "its folder does not exist"},
      {blocker + "/p.ini", "Not a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ProfileFileWriter writer(profiles, c.path);
    writer.WriteInt("EQ", "EQEN", 1);
    const auto problem = writer.Commit();
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find("\"" + c.path + "\""), std::string::npos) << *problem;
    EXPECT_NE(problem->find(c.why), std::string::npos) << *problem;
  }
  EXPECT_EQ(dir.Read("file"), "keep");
  EXPECT_EQ(dir.Read("huge"), large);
  EXPECT_TRUE(fs::is_empty(dir.File("folder")));
  EXPECT_EQ(FilesIn(dir), 5u);

  ProfileFileWriter bad_value(profiles, dir.File("p.ini"));
  bad_value.WriteText("EQ", "S1", "1\r\n[Injected]");
  EXPECT_TRUE(bad_value.Commit().has_value());
  EXPECT_FALSE(fs::exists(dir.File("p.ini")));
}

TEST_F(ProfileFileTest, AReadOnlyFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::create_directory(dir.File("ro"));
  const std::string path = dir.Write("ro/p.ini", "[EQ]\nEQEN=0\n");
  fs::permissions(dir.File("ro"), fs::perms::owner_read | fs::perms::owner_exec);
  ProfileFileWriter writer(profiles, path);
  writer.WriteInt("EQ", "EQEN", 1);
  EXPECT_TRUE(writer.Commit().has_value());
  fs::permissions(dir.File("ro"), fs::perms::owner_all);
  EXPECT_EQ(dir.Read("ro/p.ini"), "[EQ]\nEQEN=0\n");
}

struct KindCase {
  const char* value;  // nullptr: key missing
  std::optional<std::int32_t> strict;  // nothing: throws
  std::int32_t zero_when_empty;
  std::optional<std::int32_t> when_present;  // nothing: not present
  bool when_present_throws;
};

TEST_F(ProfileFileTest, ReadsEachKindOfKeyAsApplyingAProfileNeedsIt) {
  const KindCase cases[] = {
      {"5", 5, 5, 5, false},
      {" -7", -7, -7, -7, false},
      {"0x1F", 31, 31, 31, false},
      {"\"3\"", 3, 3, 3, false},  // quotes go, as in every private-profile read
      {"", std::nullopt, 0, std::nullopt, false},
      {nullptr, std::nullopt, 0, std::nullopt, false},
      {"abc", std::nullopt, 0, std::nullopt, true},
      {"12abc", std::nullopt, 0, std::nullopt, true},
      {"99999999999", std::nullopt, 0, std::nullopt, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value == nullptr ? "missing" : c.value);
    const std::string path = dir.Write("p.ini", c.value == nullptr ? "[S]\n" : "[S]\nk=" + std::string(c.value) + "\n");
    ProfileFileReader reader(profiles, path);
    if (c.strict) {
      EXPECT_EQ(reader.Strict("S", "k"), *c.strict);
    } else {
      try {
        reader.Strict("S", "k");
        ADD_FAILURE() << "no conversion error";
      } catch (const EConvertError& error) {
        EXPECT_EQ(error.what(), "'" + reader.Text("S", "k") + "' is not a valid integer value");
      }
    }
    EXPECT_EQ(reader.ZeroWhenEmpty("S", "k"), c.zero_when_empty);
    if (c.when_present_throws) {
      EXPECT_THROW(reader.WhenPresent("S", "k"), EConvertError);
    } else {
      EXPECT_EQ(reader.WhenPresent("S", "k"), c.when_present);
    }
    EXPECT_EQ(reader.LastKey(), "\"k\" in section \"S\"");
  }
}

TEST_F(ProfileFileTest, TheProfileIsReadOnceSoALaterChangeDoesNotMixIn) {
  const std::string path = dir.Write("p.ini", "[EQ]\nEQEN=1\n3DEN=1\n");
  ProfileFileReader reader(profiles, path);
  EXPECT_EQ(reader.ZeroWhenEmpty("EQ", "EQEN"), 1);
  dir.Write("p.ini", "[EQ]\nEQEN=0\n3DEN=0\n");
  EXPECT_EQ(reader.ZeroWhenEmpty("EQ", "3DEN"), 1);
  EXPECT_EQ(reader.Path(), path);
}

TEST_F(ProfileFileTest, BadFilesReadAsMissingKeysOrSayWhyTheyCannotBeRead) {
  const std::string profile = "[EQ]\r\nEQEN=1\r\n";
  std::string utf16le = "\xFF\xFE";
  std::string utf16be = "\xFE\xFF";
  for (const char c : profile) utf16le += {c, '\0'}, utf16be += {'\0', c};
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) % 256);
  std::string large(50u << 20, 'x');
  for (std::size_t at = 0; at < large.size(); at += 100) large[at] = '\n';
  large = profile + large;
  fs::create_directory(dir.File("folder"));
  fs::create_symlink(dir.File("loop-b"), dir.File("loop-a"));
  fs::create_symlink(dir.File("loop-a"), dir.File("loop-b"));
  ::mkfifo(dir.File("pipe").c_str(), 0600);
  struct Case {
    const char* what;
    std::string path;
    AtomicFile::ReadStatus status;
    std::int32_t eqen;
    const char* problem;
  };
  const Case cases[] = {
      {"empty", dir.Write("empty.ini", ""), AtomicFile::ReadStatus::kRead, 0, ""},
      {"binary", dir.Write("binary.ini", binary), AtomicFile::ReadStatus::kRead, 0, ""},
      {"utf-16le with mark", dir.Write("le.ini", utf16le), AtomicFile::ReadStatus::kRead, 1, ""},
      {"utf-16be with mark", dir.Write("be.ini", utf16be), AtomicFile::ReadStatus::kRead, 1, ""},
      {"utf-16le without mark", dir.Write("le-bare.ini", utf16le.substr(2)), AtomicFile::ReadStatus::kRead, 1, ""},
      {"utf-16be without mark", dir.Write("be-bare.ini", utf16be.substr(2)), AtomicFile::ReadStatus::kRead, 1, ""},
      {"50 MB", dir.Write("large.ini", large), AtomicFile::ReadStatus::kFailed, 0, "too large for a profile"},
      {"missing", dir.File("missing.ini"), AtomicFile::ReadStatus::kMissing, 0, ""},
      {"folder", dir.File("folder"), AtomicFile::ReadStatus::kFailed, 0, "it is a folder"},
      {"link loop", dir.File("loop-a"), AtomicFile::ReadStatus::kFailed, 0, "symbolic links"},
      {"pipe", dir.File("pipe"), AtomicFile::ReadStatus::kFailed, 0, "not a regular file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProfileFileReader reader(profiles, c.path);
    EXPECT_EQ(reader.Status(), c.status);
    EXPECT_EQ(reader.ZeroWhenEmpty("EQ", "EQEN"), c.eqen);
    EXPECT_THROW(reader.Strict("EQ", "S1"), EConvertError);
    if (*c.problem == '\0') {
      EXPECT_EQ(reader.Problem(), "");
    } else {
      EXPECT_NE(reader.Problem().find(c.problem), std::string::npos) << reader.Problem();
      EXPECT_NE(reader.Problem().find(c.path), std::string::npos) << reader.Problem();
    }
  }
}

TEST_F(ProfileFileTest, AnUnreadableProfileIsReportedAndNeverReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
  const std::string path = dir.Write("p.ini", "[EQ]\nEQEN=1\n");
  fs::permissions(path, fs::perms::none);
  ProfileFileReader reader(profiles, path);
  EXPECT_EQ(reader.Status(), AtomicFile::ReadStatus::kFailed);
  EXPECT_NE(reader.Problem().find("cannot be opened"), std::string::npos);
  ProfileFileWriter writer(profiles, path);
  writer.WriteInt("EQ", "EQEN", 0);
  EXPECT_TRUE(writer.Commit().has_value());
  fs::permissions(path, fs::perms::owner_all);
  EXPECT_EQ(dir.Read("p.ini"), "[EQ]\nEQEN=1\n");
}

}  // namespace
}  // namespace audio77
