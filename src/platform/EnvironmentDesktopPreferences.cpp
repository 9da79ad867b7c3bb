#include "platform/EnvironmentDesktopPreferences.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace audio77 {
namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

EnvironmentDesktopPreferences::EnvironmentDesktopPreferences()
    : lookup_([](const char* name) { return static_cast<const char*>(std::getenv(name)); }) {}

std::string EnvironmentDesktopPreferences::MessagesLocale() const {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = lookup_(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

ColorScheme EnvironmentDesktopPreferences::PreferredColorScheme() const {
  const char* theme = lookup_("GTK_THEME");
  if (theme == nullptr || *theme == '\0') return ColorScheme::kNoPreference;
  const std::string name = Lowered(theme);
  if (name.ends_with(":dark") || name.ends_with("-dark") || name.ends_with("_dark")) return ColorScheme::kDark;
  return ColorScheme::kLight;
}

}  // namespace audio77
