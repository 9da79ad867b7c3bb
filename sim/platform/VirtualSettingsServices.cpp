// The registry store of the virtual platform.
#include "platform/NullServices.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<Registry> CreateVirtualRegistry(const VirtualContext&) {
  return std::make_unique<NullRegistry>();
}

}  // namespace audio77::sim
