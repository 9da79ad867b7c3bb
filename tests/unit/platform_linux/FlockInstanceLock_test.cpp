// The per-logon lock file.
#include "platform/linux/FlockInstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/TempDir.h"

namespace audio77 {
namespace {

constexpr const char* kName = "{196BFF53-13AC-4BB7-8F82-D7E5E55E19F7}";

TEST(FlockInstanceLock, OneHolderUntilItEndsAndAPrivateFile) {
  test::TempDir folder;
  auto first = std::make_unique<FlockInstanceLock>(folder.path().string());
  FlockInstanceLock second(folder.path().string());
  EXPECT_EQ(first->Acquire(kName), InstanceLockResult::kAcquired);
  EXPECT_EQ(second.Acquire(kName), InstanceLockResult::kHeldByAnother);
  EXPECT_EQ(first->Acquire(kName), InstanceLockResult::kHeldByAnother) << "the lock exists once";

  struct stat info {};
  ASSERT_EQ(::stat(folder.File(kName).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  first.reset();  // the process that held it ended
  EXPECT_EQ(second.Acquire(kName), InstanceLockResult::kAcquired);
}

TEST(FlockInstanceLock, RefusesLinksAndNamesThatLeaveTheFolder) {
  test::TempDir folder;
  const std::string target = folder.Write("elsewhere/victim", "keep");
  std::filesystem::create_symlink(target, folder.File(kName));
  FlockInstanceLock lock(folder.path().string());
  EXPECT_EQ(lock.Acquire(kName), InstanceLockResult::kFailed);
  EXPECT_EQ(folder.Read("elsewhere/victim"), "keep");

  for (const char* name : {"", "../x", "a/b", ".", ".."}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(FlockInstanceLock(folder.path().string()).Acquire(name), InstanceLockResult::kFailed);
  }
  EXPECT_EQ(FlockInstanceLock(folder.File("missing")).Acquire(kName), InstanceLockResult::kFailed);
}

TEST(FlockInstanceLock, RuntimeFolderFromTheEnvironmentElseAPrivateOne) {
  test::TempDir runtime;
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved_value = saved != nullptr ? saved : "";

  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  EXPECT_EQ(FlockInstanceLock::RuntimeFolder(), runtime.path().string());

  for (const char* unusable : {"", "relative/dir", "/nonexistent/runtime"}) {
    SCOPED_TRACE(unusable);
    ::setenv("XDG_RUNTIME_DIR", unusable, 1);
    const auto folder = FlockInstanceLock::RuntimeFolder();
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, "/tmp/audio77-" + std::to_string(::getuid()));
    struct stat info {};
    ASSERT_EQ(::lstat(folder->c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
  }

  if (saved != nullptr) ::setenv("XDG_RUNTIME_DIR", saved_value.c_str(), 1);
  else ::unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace audio77
