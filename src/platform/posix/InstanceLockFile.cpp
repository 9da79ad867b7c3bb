#include "platform/posix/InstanceLockFile.h"

#include <utility>

namespace audio77 {

InstanceLockResult LockInstanceFile(FlockLock& held, const std::string& path) {
  FlockLock lock = FlockLock::TryFile(path);
  switch (lock.outcome()) {
    case FlockLock::Outcome::kLocked:
      held = std::move(lock);
      return InstanceLockResult::kAcquired;
    case FlockLock::Outcome::kHeldByAnother:
      return InstanceLockResult::kHeldByAnother;
    case FlockLock::Outcome::kFailed:
      break;
  }
  return InstanceLockResult::kFailed;
}

}  // namespace audio77
