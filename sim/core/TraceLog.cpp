#include "sim/core/TraceLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

#include "platform/posix/FlockLock.h"

namespace audio77::sim {
namespace {

// The kernel's tick-grained clock: read from memory, no system call.
std::chrono::nanoseconds CoarseNow() {
  timespec now {};
  ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// How much a writer appends between two looks at the file's size.
constexpr std::uintmax_t kMeasureEvery = 64 * 1024;

}  // namespace

TraceLog::TraceLog(std::string path) : path_(std::move(path)) {}

TraceLog::~TraceLog() {
  if (fd_ >= 0) ::close(fd_);
}

bool TraceLog::OpenIfGone() {
  const auto now = CoarseNow();
  if (fd_ >= 0) {
    if (now - checked_ < kRecheck) return true;
    // Only the inode is asked for: a look at the file's times would make
    // the kernel give the next write a fine-grained time stamp, which costs
    // more than the write itself on some file systems.
    struct statx info {};
    if (::statx(AT_FDCWD, path_.c_str(), 0, STATX_INO, &info) == 0 && info.stx_ino == inode_) {
      checked_ = now;
      return true;
    }
    ::close(fd_);
  }
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  checked_ = now;
  unmeasured_ = kMeasureEvery;  // a file found anew is measured at once
  struct stat info {};
  if (fd_ >= 0 && ::fstat(fd_, &info) == 0) inode_ = info.st_ino;
  return fd_ >= 0;
}

void TraceLog::RotateIfLarge() {
  if (unmeasured_ < kMeasureEvery) return;
  unmeasured_ = 0;
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || static_cast<std::uintmax_t>(info.st_size) <= kRotateAt) return;
  // One writer moves it; the others find it moved and start the new one.
  FlockLock moving = FlockLock::Wait(fd_);
  struct stat named {};
  if (::stat(path_.c_str(), &named) != 0 || named.st_ino != info.st_ino) return;
  std::rename(path_.c_str(), (path_ + ".1").c_str());
  checked_ = {};  // the next line opens the new file
}

void TraceLog::Append(std::string_view line) {
  if (path_.empty()) return;
  std::lock_guard lock(mutex_);
  if (!OpenIfGone()) return;
  record_.assign(line);
  record_ += '\n';
  std::size_t written = 0;
  while (written < record_.size()) {
    const ssize_t n = ::write(fd_, record_.data() + written, record_.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  unmeasured_ += written;
  RotateIfLarge();
}

}  // namespace audio77::sim
