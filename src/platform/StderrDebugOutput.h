#pragma once
// The debugger channel on Linux: standard error when AUDIO77_DEBUG=1, else
// nowhere (a channel that nobody listens to).

#include <mutex>

#include "platform/DebugOutput.h"

namespace audio77 {

class StderrDebugOutput final : public DebugOutput {
 public:
  explicit StderrDebugOutput(bool enabled);
  // Enabled when the environment variable AUDIO77_DEBUG is "1".
  static bool EnabledByEnvironment();
  void Write(std::string_view text) override;

 private:
  bool enabled_;
  std::mutex mutex_;
};

}  // namespace audio77
