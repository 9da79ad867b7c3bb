#pragma once
// A debugger channel that keeps every write, for tests and for the virtual
// platform. Safe to write from several threads.

#include <mutex>
#include <string>
#include <vector>

#include "platform/DebugOutput.h"

namespace audio77 {

class RecordingDebugOutput final : public DebugOutput {
 public:
  void Write(std::string_view text) override;
  // Every write so far, one element per call.
  std::vector<std::string> Lines() const;
  // All writes joined, for assertions on output without line ends.
  std::string Text() const;
  bool Contains(std::string_view line) const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};

}  // namespace audio77
