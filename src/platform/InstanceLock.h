#pragma once
// The named per-logon lock that keeps one window instance per user.

#include <string>

namespace audio77 {

enum class InstanceLockResult { kAcquired, kHeldByAnother, kFailed };

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // Takes the named lock and holds it until this object (the process) ends.
  // Asking again for a lock already taken gives kHeldByAnother, as another
  // instance would see it.
  virtual InstanceLockResult Acquire(const std::string& name) = 0;
};

}  // namespace audio77
