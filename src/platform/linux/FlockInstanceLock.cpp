#include "platform/linux/FlockInstanceLock.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "platform/posix/InstanceLockFile.h"

namespace audio77 {
namespace {

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder under /tmp is only trusted when this user made it and nobody else
// can put anything into it.
bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & 0077) == 0;
}

}  // namespace

FlockInstanceLock::FlockInstanceLock(std::string folder) : folder_(std::move(folder)) {}

std::optional<std::string> FlockInstanceLock::RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && IsFolder(runtime)) return std::string(runtime);
  const std::string fallback = "/tmp/audio77-" + std::to_string(::getuid());
  ::mkdir(fallback.c_str(), 0700);  // an existing one is checked below
  if (IsPrivateFolder(fallback)) return fallback;
  return std::nullopt;
}

InstanceLockResult FlockInstanceLock::Acquire(const std::string& name) {
  // Like a named mutex that already exists: whoever asks again finds it taken.
  if (lock_.locked()) return InstanceLockResult::kHeldByAnother;
  if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..") {
    return InstanceLockResult::kFailed;
  }
  std::string folder = folder_;
  if (folder.empty()) folder = RuntimeFolder().value_or(std::string());
  if (folder.empty()) return InstanceLockResult::kFailed;

  return LockInstanceFile(lock_, folder + "/" + name);
}

}  // namespace audio77
