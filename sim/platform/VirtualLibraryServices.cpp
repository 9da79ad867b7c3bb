// Run-time loading and message boxes of the virtual platform.
#include "platform/NullServices.h"
#include "sim/platform/VirtualServices.h"

namespace audio77::sim {

std::unique_ptr<DynamicLibrary> CreateVirtualDynamicLibrary(const VirtualContext&) {
  return std::make_unique<NullDynamicLibrary>();
}

std::unique_ptr<MessageBox> CreateVirtualMessageBox(const VirtualContext&) {
  return std::make_unique<NullMessageBox>();
}

}  // namespace audio77::sim
