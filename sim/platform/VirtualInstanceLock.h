#pragma once
// The per-logon lock of the virtual platform: an exclusive flock on a file
// named after the lock in the state folder, so that two programs started
// against one state folder see each other. Traced as
// "instance lock <name> = acquired|held|failed".

#include <string>

#include "platform/InstanceLock.h"
#include "platform/posix/FlockLock.h"

namespace audio77::sim {

class VirtualInstanceLock final : public InstanceLock {
 public:
  explicit VirtualInstanceLock(std::string state_folder);
  VirtualInstanceLock(const VirtualInstanceLock&) = delete;
  VirtualInstanceLock& operator=(const VirtualInstanceLock&) = delete;

  InstanceLockResult Acquire(const std::string& name) override;

 private:
  InstanceLockResult Lock(const std::string& name);

  std::string state_folder_;
  FlockLock lock_;
};

}  // namespace audio77::sim
