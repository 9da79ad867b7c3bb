#include "sim/platform/VirtualInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "sim/core/TraceLog.h"

namespace audio77::sim {
namespace {

const char* ResultText(InstanceLockResult result) {
  switch (result) {
    case InstanceLockResult::kAcquired: return "acquired";
    case InstanceLockResult::kHeldByAnother: return "held";
    case InstanceLockResult::kFailed: break;
  }
  return "failed";
}

}  // namespace

VirtualInstanceLock::VirtualInstanceLock(std::string state_folder)
    : state_folder_(std::move(state_folder)) {}

VirtualInstanceLock::~VirtualInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLockResult VirtualInstanceLock::Acquire(const std::string& name) {
  const InstanceLockResult result = Lock(name);
  TraceLog(state_folder_.empty() ? std::string() : state_folder_ + "/trace.log")
      .Append("instance lock " + name + " = " + ResultText(result));
  return result;
}

InstanceLockResult VirtualInstanceLock::Lock(const std::string& name) {
  // Like a named mutex that already exists: whoever asks again finds it taken.
  if (fd_ >= 0) return InstanceLockResult::kHeldByAnother;
  if (state_folder_.empty() || name.empty() || name.find('/') != std::string::npos) {
    return InstanceLockResult::kFailed;
  }
  ::mkdir(state_folder_.c_str(), 0700);  // an existing folder is fine
  const std::string path = state_folder_ + "/" + name;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return InstanceLockResult::kFailed;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? InstanceLockResult::kHeldByAnother : InstanceLockResult::kFailed;
  }
  fd_ = fd;
  return InstanceLockResult::kAcquired;
}

}  // namespace audio77::sim
