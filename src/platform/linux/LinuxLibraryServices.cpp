// Run-time loading and message boxes on Linux.
#include "platform/posix/PosixDynamicLibrary.h"
#include "platform/linux/LinuxMessageBox.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {

std::unique_ptr<DynamicLibrary> CreateLinuxDynamicLibrary(const LinuxContext& context) {
  return std::make_unique<PosixDynamicLibrary>(context.folders.ProgramFolder());
}

std::unique_ptr<MessageBox> CreateLinuxMessageBox(const LinuxContext&) {
  return std::make_unique<LinuxMessageBox>();
}

}  // namespace audio77
