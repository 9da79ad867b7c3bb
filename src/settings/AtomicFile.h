#pragma once
// Whole-file reads and replacements of settings files. A replacement is
// written as a new file beside the target and renamed over it, so a reader
// sees either the old or the new file and an interrupted write leaves the old
// one in place. Updates run under the folder's lock of the program's
// FileGuard, so concurrent writers never lose each other's changes; a new
// file comes from the guard complete, and what a writer killed between its
// creation and the rename left behind is removed by the next update.

#include <functional>
#include <optional>
#include <string>

#include "platform/FileGuard.h"

namespace audio77 {

class AtomicFile {
 public:
  enum class ReadStatus { kRead, kMissing, kFailed };
  struct Content {
    ReadStatus status = ReadStatus::kMissing;
    std::string bytes;
  };

  explicit AtomicFile(FileGuard& guard) : guard_(guard) {}

  static Content Read(const std::string& path);
  // Reads the current content under the lock and hands it to change; when
  // change gives new bytes they replace the file. A file that exists but
  // cannot be read is never replaced. True when nothing failed.
  using Change = std::function<std::optional<std::string>(const Content& current)>;
  bool Update(const std::string& path, const Change& change);

  // Removes what writers killed before their rename left in folder (start-up
  // does this for the folders the program writes; every update does it for
  // its own folder).
  void ClearStaleTemporaries(const std::string& folder);

  // The name prefix of the temporary files of target: ".NAME.tmp".
  static std::string TemporaryPrefix(const std::string& target);

 private:
  bool Replace(const std::string& path, const std::string& bytes);

  FileGuard& guard_;
};

}  // namespace audio77
