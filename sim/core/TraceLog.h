#pragma once
// trace.log of the virtual device: one line per event, each written with a
// single append so that lines from several threads and processes never mix
// and a reader sees every line as soon as the call returns.
//
// The file stays open between lines. A file cut short in place needs
// nothing: appends go to its new end. A file deleted or replaced (a test
// starting the trace over, another process recreating it) is noticed by a
// look at the open file's link count, taken before a line when kRecheck has
// passed since the last look: a system call per line would cost more than
// the write. Lines written within kRecheck of a deletion go to the deleted
// file.

#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

namespace audio77::sim {

class TraceLog {
 public:
  static constexpr std::chrono::milliseconds kRecheck{10};

  // Appends to the file at path (created when missing). An empty path traces nowhere.
  explicit TraceLog(std::string path);
  ~TraceLog();
  TraceLog(const TraceLog&) = delete;
  TraceLog& operator=(const TraceLog&) = delete;

  void Append(std::string_view line);
  const std::string& Path() const { return path_; }

 private:
  bool OpenIfGone();

  std::string path_;
  std::mutex mutex_;
  int fd_ = -1;
  std::chrono::nanoseconds checked_{};  // when the link count was last looked at
  std::string record_;                  // reused for each line
};

}  // namespace audio77::sim
