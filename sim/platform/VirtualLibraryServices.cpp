// Run-time loading of the virtual platform.
#include "platform/posix/PosixDynamicLibrary.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

// The virtual device's library lives apart from the program folder's, in its
// "virtual" folder, so that only this platform binds it.
std::unique_ptr<DynamicLibrary> CreateVirtualDynamicLibrary(const VirtualContext& context) {
  return std::make_unique<PosixDynamicLibrary>(context.folders.ProgramFolder() + "virtual/",
                                               PosixDynamicLibrary::Search::kFolderOnly);
}

}  // namespace audio77::sim
