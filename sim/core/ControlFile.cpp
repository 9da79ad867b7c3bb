#include "sim/core/ControlFile.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "platform/posix/FlockLock.h"

namespace audio77::sim {
namespace {

constexpr int kSendAttempts = 3;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Whether the open file fd is the one the folder holds under path.
bool IsCurrent(int fd, const std::string& path) {
  struct stat open_file {};
  struct stat named {};
  return ::fstat(fd, &open_file) == 0 && open_file.st_nlink > 0 && ::stat(path.c_str(), &named) == 0 &&
         named.st_ino == open_file.st_ino && named.st_dev == open_file.st_dev;
}

// A new empty file takes the name: followers finish the old one and go on
// with it.
void Rotate(const std::string& path) {
  const std::string fresh = path + ".new";
  const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return;
  ::close(fd);
  if (::rename(fresh.c_str(), path.c_str()) != 0) ::unlink(fresh.c_str());
}

}  // namespace

ControlFile::ControlFile() : inotify_fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

ControlFile::~ControlFile() {
  CloseFile();
  if (inotify_fd_ >= 0) ::close(inotify_fd_);
}

void ControlFile::Follow(const std::string& path) {
  std::lock_guard lock(mutex_);
  CloseFile();
  path_ = path;
  base_ = 0;
  reported_.clear();
  if (inotify_fd_ >= 0) {
    if (folder_watch_ >= 0) ::inotify_rm_watch(inotify_fd_, folder_watch_);
    // Names coming and going only: a write to another file of the folder
    // (trace.log) wakes nobody.
    folder_watch_ = ::inotify_add_watch(inotify_fd_, FolderOf(path_).c_str(),
                                        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR);
  }
  Open(true);
}

void ControlFile::Open(bool from_end) {
  // Only the first look creates it: a file gone meanwhile comes back with
  // the next event sent.
  const int fd = ::open(path_.c_str(), O_RDONLY | (from_end ? O_CREAT : 0) | O_CLOEXEC | O_NOFOLLOW, 0600);
  struct stat info {};
  if (fd < 0 && errno == ENOENT && !from_end) return;
  if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = fd < 0 ? errno : EISDIR;
    if (fd >= 0) ::close(fd);
    Report(fd >= 0 && !S_ISDIR(info.st_mode) ? "is not a regular file" : std::strerror(error));
    return;
  }
  fd_ = fd;
  inode_ = info.st_ino;
  device_ = info.st_dev;
  offset_ = from_end ? static_cast<std::uintmax_t>(info.st_size) : 0;
  reported_.clear();
  if (inotify_fd_ >= 0) {
    if (file_watch_ >= 0) ::inotify_rm_watch(inotify_fd_, file_watch_);
    file_watch_ = ::inotify_add_watch(inotify_fd_, path_.c_str(), IN_MODIFY);
  }
}

void ControlFile::CloseFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  base_ += offset_;
  offset_ = 0;
}

void ControlFile::Report(const std::string& problem) {
  if (reported_ == problem) return;
  reported_ = problem;
  std::cerr << "audio77-virtual: " << path_ << ": cannot be followed (" << problem
            << "); device events of other processes are not seen until it can\n";
}

void ControlFile::Drain() {
  char buffer[4096];
  while (inotify_fd_ >= 0 && ::read(inotify_fd_, buffer, sizeof buffer) > 0) {
  }
}

bool ControlFile::Replaced() const {
  struct stat named {};
  return ::stat(path_.c_str(), &named) != 0 || named.st_ino != inode_ || named.st_dev != device_;
}

void ControlFile::ReadLines(std::vector<Line>& lines) {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return;
  auto size = static_cast<std::uintmax_t>(info.st_size);
  if (size < offset_) {
    // Cut short: what it holds now was written after the cut.
    base_ += offset_;
    offset_ = 0;
  }
  std::string text(size - offset_, '\0');
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::pread(fd_, text.data() + got, text.size() - got, static_cast<off_t>(offset_ + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  text.resize(got);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back({base_ + offset_ + start, text.substr(start, end - start)});
  }
  offset_ += start;  // a line still being written waits for its end
}

std::vector<ControlFile::Line> ControlFile::ReadNew() {
  std::lock_guard lock(mutex_);
  std::vector<Line> lines;
  if (path_.empty()) return lines;
  if (fd_ < 0) {
    Open(false);
    if (fd_ < 0) return lines;
  }
  ReadLines(lines);
  if (Replaced()) {
    {
      // Senders still writing to the old file finish first.
      FlockLock finished = FlockLock::Wait(fd_);
      ReadLines(lines);
    }
    CloseFile();
    Open(false);
    if (fd_ >= 0) ReadLines(lines);
  }
  return lines;
}

std::uintmax_t ControlFile::End() {
  std::lock_guard lock(mutex_);
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return base_ + offset_;
  return base_ + static_cast<std::uintmax_t>(info.st_size);
}

bool ControlFile::Send(const std::string& path, const std::string& line) {
  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      std::cerr << "audio77-virtual: " << path << ": the event \"" << line << "\" cannot be sent ("
                << std::strerror(errno) << ")\n";
      return false;
    }
    FlockLock sending = FlockLock::Wait(fd);
    if (!IsCurrent(fd, path)) {
      // Replaced while this sender waited: the new file takes the line.
      sending.Release();
      ::close(fd);
      continue;
    }
    const bool written = WriteAll(fd, line + "\n");
    struct stat info {};
    if (written && ::fstat(fd, &info) == 0 && static_cast<std::uintmax_t>(info.st_size) > kRotateAt) Rotate(path);
    sending.Release();
    ::close(fd);
    return written;
  }
  return false;
}

}  // namespace audio77::sim
