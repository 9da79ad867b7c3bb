// The first start's language and skin from the desktop's locale and look.
#include "settings/DesktopChoices.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/EnvironmentDesktopPreferences.h"

namespace audio77 {
namespace {

const std::vector<std::string> kLanguages = {"Chinese", "English", "German"};
const std::vector<std::string> kSkins = {"1366x768", "1920x1080", "Dark", "Light"};

TEST(DesktopChoices, ALocaleNamesABundledLanguageByItsCode) {
  const std::pair<const char*, const char*> cases[] = {
      {"de_DE.UTF-8", "German"}, {"de", "German"},       {"DE_at", "German"},
      {"zh_CN.GB18030", "Chinese"}, {"zh_TW@radical", "Chinese"}, {"en_US.UTF-8", "English"},
      {"fr_FR.UTF-8", ""},        {"C", ""},            {"C.UTF-8", ""},
      {"POSIX", ""},              {"", ""},             {"d", ""},
  };
  for (const auto& [locale, language] : cases) {
    EXPECT_EQ(LanguageForLocale(locale, kLanguages), language) << locale;
  }
  EXPECT_EQ(LanguageForLocale("de_DE.UTF-8", {"English"}), "");
}

TEST(DesktopChoices, TheLookPicksTheSkinOfThatNameWhenItIsInstalled) {
  EXPECT_EQ(SkinForColorScheme(ColorScheme::kDark, kSkins), "Dark");
  EXPECT_EQ(SkinForColorScheme(ColorScheme::kLight, kSkins), "Light");
  EXPECT_EQ(SkinForColorScheme(ColorScheme::kNoPreference, kSkins), "");
  EXPECT_EQ(SkinForColorScheme(ColorScheme::kLight, {"Dark", "Ocean"}), "");
}

TEST(DesktopChoices, TheEnvironmentIsWeighedAsTheCLibraryWeighsIt) {
  struct Case {
    std::map<std::string, std::string> variables;
    std::string locale;
    ColorScheme scheme;
  };
  const Case cases[] = {
      {{}, "", ColorScheme::kNoPreference},
      {{{"LANG", "de_DE.UTF-8"}}, "de_DE.UTF-8", ColorScheme::kNoPreference},
      {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "zh_CN.UTF-8"}}, "zh_CN.UTF-8", ColorScheme::kNoPreference},
      {{{"LANG", "de_DE"}, {"LC_MESSAGES", "zh_CN"}, {"LC_ALL", "en_US"}}, "en_US", ColorScheme::kNoPreference},
      {{{"LANG", "de_DE"}, {"LC_ALL", ""}}, "de_DE", ColorScheme::kNoPreference},
      {{{"GTK_THEME", "Adwaita:dark"}}, "", ColorScheme::kDark},
      {{{"GTK_THEME", "Arc-Dark"}}, "", ColorScheme::kDark},
      {{{"GTK_THEME", "Adwaita"}}, "", ColorScheme::kLight},
      {{{"GTK_THEME", ""}}, "", ColorScheme::kNoPreference},
  };
  for (const auto& c : cases) {
    const EnvironmentDesktopPreferences preferences([&c](const char* name) -> const char* {
      const auto found = c.variables.find(name);
      return found == c.variables.end() ? nullptr : found->second.c_str();
    });
    EXPECT_EQ(preferences.MessagesLocale(), c.locale);
    EXPECT_EQ(preferences.PreferredColorScheme(), c.scheme) << c.locale;
  }
}

}  // namespace
}  // namespace audio77
