// Run-time loading and message boxes on Linux.
#include "platform/NullServices.h"
#include "platform/linux/LinuxServices.h"

namespace audio77 {

std::unique_ptr<DynamicLibrary> CreateLinuxDynamicLibrary(const LinuxContext&) {
  return std::make_unique<NullDynamicLibrary>();
}

std::unique_ptr<MessageBox> CreateLinuxMessageBox(const LinuxContext&) {
  return std::make_unique<NullMessageBox>();
}

}  // namespace audio77
