#include "sim/core/ControlFile.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/core/TraceLog.h"

namespace audio77::sim {

ControlFile::ControlFile() : inotify_fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

ControlFile::~ControlFile() {
  if (inotify_fd_ >= 0) ::close(inotify_fd_);
}

void ControlFile::Follow(const std::string& path) {
  std::lock_guard lock(mutex_);
  path_ = path;
  std::ofstream(path_, std::ios::app);
  std::error_code unknown;
  offset_ = std::filesystem::file_size(path_, unknown);
  if (unknown) offset_ = 0;
  if (inotify_fd_ >= 0) {
    if (watch_ >= 0) ::inotify_rm_watch(inotify_fd_, watch_);
    watch_ = ::inotify_add_watch(inotify_fd_, path_.c_str(), IN_MODIFY);
  }
}

void ControlFile::Drain() {
  char buffer[4096];
  while (inotify_fd_ >= 0 && ::read(inotify_fd_, buffer, sizeof buffer) > 0) {
  }
}

std::uintmax_t ControlFile::End() {
  std::lock_guard lock(mutex_);
  std::error_code unknown;
  const auto size = std::filesystem::file_size(path_, unknown);
  return unknown ? 0 : size;
}

std::vector<ControlFile::Line> ControlFile::ReadNew() {
  std::lock_guard lock(mutex_);
  std::vector<Line> lines;
  std::error_code error;
  const auto size = std::filesystem::file_size(path_, error);
  if (error || size <= offset_) return lines;
  std::ifstream in(path_, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset_));
  for (std::string line; std::getline(in, line);) {
    if (in.eof()) break;  // a line still being written
    lines.push_back({offset_, line});
    offset_ += line.size() + 1;
  }
  return lines;
}

void ControlFile::Send(const std::string& path, const std::string& line) {
  // One append per event, like a trace line, so events of several senders never mix.
  TraceLog(path).Append(line);
}

}  // namespace audio77::sim
