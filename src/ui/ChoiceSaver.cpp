#include "ui/ChoiceSaver.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "platform/FileCheck.h"

namespace audio77::ui {

std::string ChoiceSaver::Save(const UserSettings& user, const std::string& language, const std::string& skin) {
  std::error_code error;
  // The per-user file is never created: without it the choice is not kept.
  if (!std::filesystem::exists(user.Path(), error) && !error) return {};
  const bool saved = user.SetLanguage(language) && user.SetSkin(skin);
  if (saved) return {};
  const auto problem = FileCheck::Problem(user.Path(), {UINTMAX_MAX, true});
  const std::string reason =
      problem ? *problem : "\"" + user.Path() + "\" could not be written (is its folder read-only, or the disk full?).";
  return "The choice of language \"" + language + "\" and skin \"" + skin +
         "\" could not be saved and applies only until the program ends. " + reason;
}

}  // namespace audio77::ui
