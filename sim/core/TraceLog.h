#pragma once
// trace.log of the virtual device: one line per event, each written with a
// single append so that lines from several threads and processes never mix
// and a reader sees every line as soon as the call returns.
//
// The file stays open between lines. A file cut short in place needs
// nothing: appends go to its new end. A file deleted, renamed or replaced (a
// test starting the trace over, another process recreating it, a rotation)
// is noticed by a look at the file under the path, taken before a line when
// kRecheck has passed since the last look: a system call per line would cost
// more than the write. Lines written within kRecheck of a change go to the
// file that was open.
//
// The trace is kept from growing without bound: once the file holds more
// than kRotateAt bytes, the writer that notices moves it to "<path>.1"
// (replacing the one before) and starts a new one, so the trace and its
// previous part hold at most about twice that.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace audio77::sim {

class TraceLog {
 public:
  static constexpr std::chrono::milliseconds kRecheck{10};
  static constexpr std::uintmax_t kRotateAt = 1024 * 1024;

  // Appends to the file at path (created when missing). An empty path traces nowhere.
  explicit TraceLog(std::string path);
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  void Append(std::string_view line);
  const std::string& Path() const { return path_; }

 private:
  bool OpenIfGone();
  void RotateIfLarge();

  std::string path_;
  std::mutex mutex_;
  int fd_ = -1;
  ino_t inode_ = 0;
  std::chrono::nanoseconds checked_{};  // when the file under the path was last looked at
  std::uintmax_t unmeasured_ = 0;       // bytes written since the file's size was last looked at
  std::string record_;                  // reused for each line
};

}  // namespace audio77::sim
