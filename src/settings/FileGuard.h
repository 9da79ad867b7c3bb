#pragma once
// What keeps settings files whole when several writers meet: a lock that
// serialises writers of the files of one folder (across processes where the
// platform can do it), and a flush of written bytes to the storage device.
// Without an installed guard, writers of one process are serialised and
// flushing stops at the C library.

#include <memory>
#include <string>

namespace audio77 {

class FileGuard {
 public:
  // Held while a writer works; releasing it lets the next writer in.
  class Hold {
   public:
    virtual ~Hold() = default;
  };

  virtual ~FileGuard() = default;
  // Null when the lock cannot be taken at all.
  virtual std::unique_ptr<Hold> LockFolder(const std::string& folder) = 0;
  virtual bool Sync(const std::string& path) = 0;

  // The guard every settings writer uses; the platform installs its own at
  // start-up (a null pointer puts the in-process guard back).
  static FileGuard& Current();
  static void Install(FileGuard* guard);
};

}  // namespace audio77
