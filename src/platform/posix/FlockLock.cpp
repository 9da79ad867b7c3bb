#include "platform/posix/FlockLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace audio77 {
namespace {

bool TakeLock(int fd, bool wait) {
  const int operation = wait ? LOCK_EX : LOCK_EX | LOCK_NB;
  while (::flock(fd, operation) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

}  // namespace

FlockLock FlockLock::Wait(int fd) {
  if (fd < 0 || !TakeLock(fd, true)) return FlockLock();
  return FlockLock(fd, false, Outcome::kLocked);
}

FlockLock FlockLock::Owned(int fd, bool wait) {
  if (fd < 0) return FlockLock();
  if (!TakeLock(fd, wait)) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return FlockLock(-1, false, held ? Outcome::kHeldByAnother : Outcome::kFailed);
  }
  return FlockLock(fd, true, Outcome::kLocked);
}

FlockLock FlockLock::TryFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
  if (fd < 0) return FlockLock();
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return FlockLock();
  }
  return Owned(fd, false);
}

FlockLock FlockLock::WaitFolder(const std::string& path) {
  return Owned(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), true);
}

FlockLock::~FlockLock() { Release(); }

FlockLock::FlockLock(FlockLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      owned_(std::exchange(other.owned_, false)),
      outcome_(std::exchange(other.outcome_, Outcome::kFailed)) {}

FlockLock& FlockLock::operator=(FlockLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    owned_ = std::exchange(other.owned_, false);
    outcome_ = std::exchange(other.outcome_, Outcome::kFailed);
  }
  return *this;
}

void FlockLock::Release() {
  if (fd_ >= 0) {
    if (owned_) ::close(fd_);  // closing the last descriptor lets go of the lock
    else ::flock(fd_, LOCK_UN);
  }
  fd_ = -1;
  owned_ = false;
  if (outcome_ == Outcome::kLocked) outcome_ = Outcome::kFailed;
}

}  // namespace audio77
