#include "sim/platform/VirtualInstanceLock.h"

#include <sys/stat.h>

#include <utility>

#include "platform/posix/InstanceLockFile.h"
#include "sim/core/TraceLog.h"

namespace audio77::sim {
namespace {

const char* ResultText(InstanceLockResult result) {
  switch (result) {
    case InstanceLockResult::kAcquired: return "acquired";
    case InstanceLockResult::kHeldByAnother: return "held";
    case InstanceLockResult::kFailed: break;
  }
  return "failed";
}

}  // namespace

VirtualInstanceLock::VirtualInstanceLock(std::string state_folder)
    : state_folder_(std::move(state_folder)) {}

InstanceLockResult VirtualInstanceLock::Acquire(const std::string& name) {
  const InstanceLockResult result = Lock(name);
  TraceLog(state_folder_.empty() ? std::string() : state_folder_ + "/trace.log")
      .Append("instance lock " + name + " = " + ResultText(result));
  return result;
}

InstanceLockResult VirtualInstanceLock::Lock(const std::string& name) {
  // Like a named mutex that already exists: whoever asks again finds it taken.
  if (lock_.locked()) return InstanceLockResult::kHeldByAnother;
  if (state_folder_.empty() || name.empty() || name.find('/') != std::string::npos) {
    return InstanceLockResult::kFailed;
  }
  ::mkdir(state_folder_.c_str(), 0700);  // an existing folder is fine
  return LockInstanceFile(lock_, state_folder_ + "/" + name);
}

}  // namespace audio77::sim
