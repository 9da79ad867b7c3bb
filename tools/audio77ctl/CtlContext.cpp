#include "CtlContext.h"

#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "wiring/ChoosePlatform.h"

namespace audio77::ctl {
namespace {

constexpr const char* kUsageHint = "Try 'audio77ctl --help'.";

}  // namespace

CtlContext::CtlContext(std::ostream& out_stream, std::ostream& err_stream)
    : out(out_stream), err(err_stream) {}

CtlContext::~CtlContext() = default;

Platform& CtlContext::platform() {
  if (!host_) host_ = CreatePlatform(PlatformKindFromEnvironment(), PlatformUser::kTool);
  return host_->Get();
}

void CtlContext::Emit(const Json& document) {
  out << document.dump(2) << '\n';
  emitted_ = true;
}

std::optional<int> CtlContext::RejectUnreadableFile(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::directory) return Fail(path + " is a folder, not a file");
  if (std::filesystem::exists(status) && ::access(path.c_str(), R_OK) != 0) {
    return Fail("cannot read " + path + ": permission denied");
  }
  return std::nullopt;
}

int CtlContext::Fail(const std::string& message) {
  if (json) {
    err << Json{{"error", message}, {"exit", kExitFailure}}.dump() << '\n';
  } else {
    err << "audio77ctl: " << message << '\n';
  }
  return kExitFailure;
}

int CtlContext::UsageError(const std::string& message) {
  if (json) {
    err << Json{{"error", message}, {"usage", kUsageHint}, {"exit", kExitUsage}}.dump() << '\n';
  } else {
    err << "audio77ctl: " << message << '\n' << kUsageHint << '\n';
  }
  return kExitUsage;
}

}  // namespace audio77::ctl
