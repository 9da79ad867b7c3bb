#pragma once
// trace.log of the virtual device: one line per event, each written with a
// single append so that lines from several threads and processes never mix
// and a reader sees every line as soon as the call returns.

#include <mutex>
#include <string>
#include <string_view>

namespace audio77::sim {

class TraceLog {
 public:
  // Appends to the file at path (created when missing). An empty path traces nowhere.
  explicit TraceLog(std::string path);
  void Append(std::string_view line);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::mutex mutex_;
};

}  // namespace audio77::sim
