#include "sim/core/TraceLog.h"

#include <fcntl.h>
#include <unistd.h>

namespace audio77::sim {

TraceLog::TraceLog(std::string path) : path_(std::move(path)) {}

void TraceLog::Append(std::string_view line) {
  if (path_.empty()) return;
  std::string record(line);
  record += '\n';
  std::lock_guard lock(mutex_);
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  std::size_t written = 0;
  while (written < record.size()) {
    const ssize_t n = ::write(fd, record.data() + written, record.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

}  // namespace audio77::sim
