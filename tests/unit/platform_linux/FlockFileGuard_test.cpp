// Settings writes on Linux: a writer killed half-way through its new file.
#include "platform/linux/FlockFileGuard.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/PrivateProfile.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

std::vector<std::string> Names(const test::TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A child process writes a value far larger than the file size it may write:
// the kernel ends it with SIGXFSZ in the middle of writing its new file.
void WriteAndDieHalfWay(bool anonymous, const std::string& path) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    FlockFileGuard guard;
    guard.UseAnonymousFiles(anonymous);
    PrivateProfile profiles(guard);
    profiles.WriteString("S", "big", std::string(1024 * 1024, 'x'), path);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
}

TEST(FlockFileGuard, AWriterKilledHalfWayLeavesTheOldFileAndNoTemporary) {
  struct Case {
    bool anonymous;
    std::vector<std::string> after_kill;
  };
  // Without anonymous files the half-written temporary stays until the next write.
  const Case cases[] = {{true, {"p.ini"}}, {false, {".p.ini.tmp", "p.ini"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.anonymous ? "anonymous files" : "named files");
    test::TempDir dir;
    const std::string path = dir.Write("p.ini", "[S]\nk=1\n");
    WriteAndDieHalfWay(c.anonymous, path);
    EXPECT_EQ(dir.Read("p.ini"), "[S]\nk=1\n");
    std::vector<std::string> names = Names(dir);
    for (auto& name : names) name = name.substr(0, name.find(".tmp") == std::string::npos ? name.size() : name.find(".tmp") + 4);
    EXPECT_EQ(names, c.after_kill);

    FlockFileGuard guard;
    guard.UseAnonymousFiles(c.anonymous);
    PrivateProfile profiles(guard);
    EXPECT_TRUE(profiles.WriteString("S", "k", "2", path));
    EXPECT_EQ(dir.Read("p.ini"), "[S]\nk=2\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"p.ini"}) << "the next write clears what the killed one left";
  }
}

// Where a killed writer left a named temporary, the next write of any file of
// that folder, or the program's start, removes it; files of other naming stay.
TEST(FlockFileGuard, LeftTemporariesGoAtTheNextWriteInTheFolderOrAtStart) {
  const std::vector<std::string> strangers = {".notes.tmp", ".p.ini.tmpx-1", "p.ini.tmp1-2", "q.ini"};
  for (const bool at_start : {false, true}) {
    SCOPED_TRACE(at_start ? "at start" : "at a write of another file");
    test::TempDir dir;
    const std::string path = dir.Write("p.ini", "[S]\nk=1\n");
    for (const auto& name : strangers) dir.Write(name, "theirs");
    WriteAndDieHalfWay(false, path);
    ASSERT_EQ(Names(dir).size(), strangers.size() + 2);

    FlockFileGuard guard;
    PrivateProfile profiles(guard);
    if (at_start) {
      profiles.ClearStaleTemporaries(dir.path().string());
    } else {
      EXPECT_TRUE(profiles.WriteString("S", "k", "2", (dir.path() / "q.ini").string()));
    }
    std::vector<std::string> expected = strangers;
    expected.push_back("p.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir), expected);
    EXPECT_EQ(dir.Read("p.ini"), "[S]\nk=1\n");
  }
}

TEST(FlockFileGuard, NewFilesAreCompleteKeepTheModeAndNeverReplaceAStrangersFile) {
  for (const bool anonymous : {true, false}) {
    SCOPED_TRACE(anonymous ? "anonymous files" : "named files");
    test::TempDir dir;
    FlockFileGuard guard;
    guard.UseAnonymousFiles(anonymous);
    EXPECT_TRUE(guard.CreateComplete(dir.File("new"), "bytes"));
    EXPECT_EQ(dir.Read("new"), "bytes");
    EXPECT_FALSE(guard.CreateComplete(dir.File("new"), "other"));
    EXPECT_EQ(dir.Read("new"), "bytes");
    EXPECT_FALSE(guard.CreateComplete(dir.File("no/such/folder/new"), "bytes"));

    // A rewrite keeps the file's own permissions.
    const std::string path = dir.Write("p.ini", "[S]\nk=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    PrivateProfile profiles(guard);
    EXPECT_TRUE(profiles.WriteString("S", "k", "2", path));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"new", "p.ini"}));
  }
}

}  // namespace
}  // namespace audio77
