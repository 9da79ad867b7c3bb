// Folders and the file guard on Linux. The registry store lies above the
// platform (it is settings code over these files): the wiring puts it together.
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/EnvironmentFolders.h"
#include "platform/linux/FlockFileGuard.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {
namespace {

std::string RunningProgramPath() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0) return "./audio77";
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

std::unique_ptr<KnownFolders> CreateLinuxKnownFolders() {
  return std::make_unique<EnvironmentFolders>(RunningProgramPath());
}

std::unique_ptr<FileGuard> CreateLinuxFileGuard() { return std::make_unique<FlockFileGuard>(); }

}  // namespace audio77
