// Folders and the registry store on Linux.
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/EnvironmentFolders.h"
#include "platform/NullServices.h"
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

std::unique_ptr<Registry> CreateLinuxRegistry(const LinuxContext&) {
  return std::make_unique<NullRegistry>();
}

}  // namespace audio77
