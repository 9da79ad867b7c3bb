#pragma once
// The first start's language and skin: the bundled language that speaks the
// desktop's language and the skin that matches its light or dark look. Until
// the user picks one from the tray menu, this is what the window shows.

#include <string>
#include <string_view>
#include <vector>

#include "platform/DesktopPreferences.h"

namespace audio77 {

// The installed language folder for a locale ("de_DE.UTF-8" -> "German");
// empty when none speaks it, or for the "C" and "POSIX" locales.
std::string LanguageForLocale(std::string_view locale, const std::vector<std::string>& installed);
// The installed skin for a colour scheme ("Dark", "Light"); empty without a
// preference or without such a skin.
std::string SkinForColorScheme(ColorScheme scheme, const std::vector<std::string>& installed);
// The folder names directly inside folder, sorted; none when it cannot be read.
std::vector<std::string> SubfolderNames(const std::string& folder);

}  // namespace audio77
