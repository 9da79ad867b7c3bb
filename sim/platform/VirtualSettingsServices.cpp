// The registry store of the virtual platform: the installed defaults of the
// program folder under a user file in the virtual state folder (or where
// AUDIO77_REGISTRY says).
#include "settings/RegistryStore.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<Registry> CreateVirtualRegistry(const VirtualContext& context, FileGuard& files) {
  std::string user_path = context.state_folder + "/registry.reg";
  if (auto chosen = context.folders.Environment("AUDIO77_REGISTRY")) user_path = *chosen;
  return std::make_unique<RegistryStore>(RegistryStore::InstalledPathFor(context.folders), std::move(user_path),
                                         files);
}

}  // namespace audio77::sim
