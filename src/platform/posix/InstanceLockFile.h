#pragma once
// The instance lock's file, shared by the Linux and the virtual platform: the
// flock of the file at path becomes held when it is taken, and the outcome is
// said the way the instance lock says it.

#include <string>

#include "platform/InstanceLock.h"
#include "platform/posix/FlockLock.h"

namespace audio77 {

InstanceLockResult LockInstanceFile(FlockLock& held, const std::string& path);

}  // namespace audio77
