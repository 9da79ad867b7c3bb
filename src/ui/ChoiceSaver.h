#pragma once
// Saves the language and skin the user picked to the per-user file, and says
// why when that failed: a choice lost without a word comes back as the old
// one at the next start. Without the per-user file nothing is remembered, by
// design, and nothing is said.

#include <string>

#include "settings/UserSettings.h"

namespace audio77::ui {

class ChoiceSaver {
 public:
  // Empty when both were saved or there is no per-user file; otherwise the
  // sentence for the user.
  static std::string Save(const UserSettings& user, const std::string& language, const std::string& skin);
};

}  // namespace audio77::ui
