#include "platform/StderrDebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace audio77 {

StderrDebugOutput::StderrDebugOutput(bool enabled) : enabled_(enabled) {}

bool StderrDebugOutput::EnabledByEnvironment() {
  const char* value = std::getenv("AUDIO77_DEBUG");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

void StderrDebugOutput::Write(std::string_view text) {
  if (!enabled_) return;
  std::lock_guard lock(mutex_);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace audio77
