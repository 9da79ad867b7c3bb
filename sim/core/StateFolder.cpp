#include "sim/core/StateFolder.h"

#include <unistd.h>

#include <cstdlib>

namespace audio77::sim {
namespace {

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

std::string DefaultStateFolder() {
  if (auto folder = FromEnvironment("AUDIO77_VIRTUAL_DIR"); !folder.empty()) {
    return WithoutTrailingSeparator(folder);
  }
  if (auto runtime = FromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return WithoutTrailingSeparator(runtime) + "/audio77-virtual";
  }
  return "/tmp/audio77-virtual-" + std::to_string(::getuid());
}

}  // namespace audio77::sim
