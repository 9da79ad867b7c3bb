#pragma once
// The control file of a state folder: one line per event ("<sender> present
// 0|1", "<sender> button BITS"), appended by whoever causes the event and
// followed by every device object watching the folder (inotify, no polling).
//
// Another process may do anything to the file. A file cut short is read
// again from its start; a file deleted, replaced or made anew is followed
// under its name (the folder is watched for names coming and going, not for
// writes); a name that cannot be used (a folder, a file closed to us) is
// reported once and followed again when it can be. Senders keep the file
// small: past kRotateAt bytes the sender that wrote the last line puts a new
// empty file in its place. Senders append under the file's flock and look
// whether the file is still the folder's once they hold it; a follower that
// sees the file replaced takes that lock before reading the old file's last
// lines, so no line is lost.

#include <sys/types.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace audio77::sim {

class ControlFile {
 public:
  static constexpr std::uintmax_t kRotateAt = 64 * 1024;

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

  // Appends one event line to the file at path in one write; false (and a
  // report on standard error) when the file cannot take it.
  static bool Send(const std::string& path, const std::string& line);

 private:
  // from_end: the first look, which creates the file when missing.
  void Open(bool from_end);
  void CloseFile();
  bool Replaced() const;
  void ReadLines(std::vector<Line>& lines);
  void Report(const std::string& problem);

  std::mutex mutex_;
  std::string path_;
  int fd_ = -1;
  ino_t inode_ = 0;
  dev_t device_ = 0;
  std::uintmax_t offset_ = 0;  // in the open file
  std::uintmax_t base_ = 0;    // what the files followed before it held
  int inotify_fd_ = -1;
  int file_watch_ = -1;
  int folder_watch_ = -1;
  std::string reported_;
};

}  // namespace audio77::sim
