#include "CtlContext.h"

#include <ostream>

#include "wiring/ChoosePlatform.h"

namespace audio77::ctl {

CtlContext::CtlContext(std::ostream& out_stream, std::ostream& err_stream)
    : out(out_stream), err(err_stream) {}

CtlContext::~CtlContext() = default;

Platform& CtlContext::platform() {
  if (!host_) host_ = CreatePlatform(PlatformKindFromEnvironment(), PlatformUser::kTool);
  return host_->Get();
}

int CtlContext::Fail(const std::string& message) {
  err << "audio77ctl: " << message << '\n';
  return kExitFailure;
}

int CtlContext::UsageError(const std::string& message) {
  err << "audio77ctl: " << message << "\nTry 'audio77ctl --help'.\n";
  return kExitUsage;
}

}  // namespace audio77::ctl
