#include "app/FirstActivation.h"

namespace audio77 {

FirstActivation::FirstActivation(std::string raw_command_line)
    : raw_command_line_(std::move(raw_command_line)) {}

bool FirstActivation::OnActivate(DebugOutput& debug) {
  debug.Write("FormActivate");
  if (activated_once_) return false;
  activated_once_ = true;
  // Deliberately case-sensitive on the raw text: "-ServiceBoot" opens the
  // window instance but leaves it visible.
  if (raw_command_line_.find("-serviceboot") == std::string::npos) return false;
  debug.Write("-serviceboot");
  return true;
}

}  // namespace audio77
