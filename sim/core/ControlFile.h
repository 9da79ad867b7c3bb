#pragma once
// The control file of a state folder: one line per event ("<sender> present
// 0|1", "<sender> button BITS"), appended by whoever causes the event and
// followed by every device object watching the folder (inotify, no polling).

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace audio77::sim {

class ControlFile {
 public:
  struct Line {
    std::uintmax_t at;  // where the line starts among everything followed
    std::string text;
  };

  ControlFile();
  ~ControlFile();
  ControlFile(const ControlFile&) = delete;
  ControlFile& operator=(const ControlFile&) = delete;

  // Follows the file at path (created when missing) from its present end:
  // events written before are not the follower's business.
  void Follow(const std::string& path);
  // Readable when the followed file may have new lines; Drain empties it.
  int WatchDescriptor() const { return inotify_fd_; }
  void Drain();
  // The complete lines appended since the last call.
  std::vector<Line> ReadNew();
  // Where the next line will start.
  std::uintmax_t End();

  // Appends one event line to the file at path in one write.
  static void Send(const std::string& path, const std::string& line);

 private:
  std::mutex mutex_;
  std::string path_;
  std::uintmax_t offset_ = 0;
  int inotify_fd_ = -1;
  int watch_ = -1;
};

}  // namespace audio77::sim
