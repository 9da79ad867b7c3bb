#include "settings/DesktopChoices.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <utility>

namespace audio77 {
namespace {

// Language folders are named in English; the locale names the language by
// its ISO 639 code.
constexpr std::array<std::pair<std::string_view, std::string_view>, 14> kLanguageCodes = {{
    {"en", "English"},  {"de", "German"},   {"zh", "Chinese"},    {"fr", "French"},
    {"es", "Spanish"},  {"it", "Italian"},  {"ja", "Japanese"},   {"ko", "Korean"},
    {"ru", "Russian"},  {"pt", "Portuguese"}, {"nl", "Dutch"},    {"pl", "Polish"},
    {"tr", "Turkish"},  {"sv", "Swedish"},
}};

std::string LanguageCode(std::string_view locale) {
  const auto end = locale.find_first_of("_.@");
  std::string code(locale.substr(0, end));
  std::transform(code.begin(), code.end(), code.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return code;
}

bool Installed(const std::vector<std::string>& installed, std::string_view name) {
  return std::find(installed.begin(), installed.end(), name) != installed.end();
}

}  // namespace

std::string LanguageForLocale(std::string_view locale, const std::vector<std::string>& installed) {
  const std::string code = LanguageCode(locale);
  for (const auto& [known_code, folder] : kLanguageCodes) {
    if (known_code == code && Installed(installed, folder)) return std::string(folder);
  }
  return {};
}

std::string SkinForColorScheme(ColorScheme scheme, const std::vector<std::string>& installed) {
  const std::string_view wanted = scheme == ColorScheme::kDark    ? "Dark"
                                  : scheme == ColorScheme::kLight ? "Light"
                                                                  : "";
  if (wanted.empty() || !Installed(installed, wanted)) return {};
  return std::string(wanted);
}

std::vector<std::string> SubfolderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_directory(error)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace audio77
