#pragma once
// What the main window does when it is activated: the first activation of an
// instance started at logon ("-serviceboot") sends it to the notification area.

#include <string>

#include "platform/DebugOutput.h"

namespace audio77 {

class FirstActivation {
 public:
  // raw_command_line: the process command line exactly as it was given.
  explicit FirstActivation(std::string raw_command_line);
  // Called on every activation; true when the window must minimise now.
  bool OnActivate(DebugOutput& debug);
  bool ActivatedOnce() const { return activated_once_; }

 private:
  std::string raw_command_line_;
  bool activated_once_ = false;
};

}  // namespace audio77
