#pragma once
// The per-logon lock: an exclusive flock on a file named after the lock in the
// user's runtime folder ($XDG_RUNTIME_DIR; without it a private 0700 folder
// of the user under /tmp). The file is created 0600 and never opened through
// a symbolic link; the lock is held until the object (the process) ends.

#include <optional>
#include <string>

#include "platform/InstanceLock.h"
#include "platform/posix/FlockLock.h"

namespace audio77 {

class FlockInstanceLock final : public InstanceLock {
 public:
  // folder: where the lock files live; empty: the runtime folder.
  explicit FlockInstanceLock(std::string folder = {});
  FlockInstanceLock(const FlockInstanceLock&) = delete;
  FlockInstanceLock& operator=(const FlockInstanceLock&) = delete;

  InstanceLockResult Acquire(const std::string& name) override;

  // $XDG_RUNTIME_DIR when it is a folder, else /tmp/audio77-<uid> (created
  // when missing) if it is a real folder of this user that nobody else may
  // enter. Empty when neither can be used.
  static std::optional<std::string> RuntimeFolder();

 private:
  std::string folder_;
  FlockLock lock_;
};

}  // namespace audio77
