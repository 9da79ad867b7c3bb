#pragma once
// The file guard of Linux: writers of one folder are serialised across
// processes with a flock on the folder, and a new file is written as an
// anonymous file (O_TMPFILE) in its folder, flushed to the disk and only then
// linked under its name, so a writer killed half-way leaves nothing behind.
// Where the file system has no anonymous files the file is written under its
// name and flushed.

#include "platform/FileGuard.h"

namespace audio77 {

class FlockFileGuard final : public FileGuard {
 public:
  // A folder that cannot be opened is not locked: the write that follows
  // fails on its own when the folder is missing or closed to us.
  std::unique_ptr<Hold> LockFolder(const std::string& folder) override;
  using FileGuard::CreateComplete;
  bool CreateComplete(const std::string& path, const std::string& bytes, std::optional<unsigned> mode) override;

  // For tests: false makes every file go the way of file systems without
  // anonymous files.
  void UseAnonymousFiles(bool use) { anonymous_ = use; }

 private:
  bool anonymous_ = true;
};

}  // namespace audio77
