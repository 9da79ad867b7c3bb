// Run-time loading of the virtual platform.
#include "platform/posix/PosixDynamicLibrary.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<DynamicLibrary> CreateVirtualDynamicLibrary(const VirtualContext& context) {
  return std::make_unique<PosixDynamicLibrary>(context.folders.ProgramFolder());
}

}  // namespace audio77::sim
