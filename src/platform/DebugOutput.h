#pragma once
// The debugger channel: every diagnostic line of the program goes through here.
// A write is one call of the channel; text is UTF-8 and carries its own line
// end when it has one (several of the program's lines deliberately have none).

#include <string_view>

namespace audio77 {

class DebugOutput {
 public:
  virtual ~DebugOutput() = default;
  virtual void Write(std::string_view text) = 0;
};

}  // namespace audio77
