#pragma once
// Whole-file reads and replacements of settings files. A replacement is
// written to a temporary file beside the target, flushed and renamed over it,
// so a reader sees either the old or the new file and an interrupted write
// leaves the old one in place. Updates run under the folder's FileGuard lock,
// so concurrent writers never lose each other's changes.

#include <functional>
#include <optional>
#include <string>

namespace audio77 {

class AtomicFile {
 public:
  enum class ReadStatus { kRead, kMissing, kFailed };
  struct Content {
    ReadStatus status = ReadStatus::kMissing;
    std::string bytes;
  };

  static Content Read(const std::string& path);
  // Writes bytes as the file's new content. False when nothing was replaced.
  static bool Replace(const std::string& path, const std::string& bytes);
  // Reads the current content under the lock and hands it to change; when
  // change gives new bytes they replace the file. A file that exists but
  // cannot be read is never replaced. True when nothing failed.
  using Change = std::function<std::optional<std::string>(const Content& current)>;
  static bool Update(const std::string& path, const Change& change);
};

}  // namespace audio77
