// Run-time loading on Linux.
#include "platform/posix/PosixDynamicLibrary.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {

std::unique_ptr<DynamicLibrary> CreateLinuxDynamicLibrary(const LinuxContext& context) {
  return std::make_unique<PosixDynamicLibrary>(context.folders.ProgramFolder());
}

}  // namespace audio77
