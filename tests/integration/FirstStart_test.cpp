// The very first start of a user follows the desktop: its language, if one
// is bundled, and its light or dark look. Later starts keep what is stored.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "WindowScenario.h"

namespace audio77::test {
namespace {

class FirstStart : public WindowScenario {
 protected:
  std::string Checked() const {
    std::string checked;
    for (const auto& line : LinesOf(Ui({"menus"}).out)) {
      if (line.starts_with("[x] ")) checked += MenuPath(line) + "\n";
    }
    return checked;
  }
  std::string StoredChoices() const {
    std::ifstream in(UserFolder() / "AudioConfig.cfg");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(FirstStart, TakesTheDesktopsLanguageAndLookAndLaterStartsKeepThem) {
  extra_env_ = {{"LC_ALL", "de_DE.UTF-8"}, {"GTK_THEME", "Adwaita"}};
  Start();
  // The language menu names the languages in their own words.
  const std::string checked = Checked();
  EXPECT_NE(checked.find("/Deutsch\n"), std::string::npos) << checked;
  EXPECT_NE(checked.find("/Light\n"), std::string::npos) << checked;
  EXPECT_EQ(Close(), 0);
  EXPECT_NE(StoredChoices().find("DefaultLanguage=German"), std::string::npos) << StoredChoices();
  EXPECT_NE(StoredChoices().find("DefaultSkin=Light"), std::string::npos) << StoredChoices();

  // The user folder exists now: another desktop language changes nothing.
  extra_env_ = {{"LC_ALL", "en_GB.UTF-8"}, {"GTK_THEME", "Adwaita:dark"}};
  Start();
  const std::string again = Checked();
  EXPECT_NE(again.find("/Deutsch\n"), std::string::npos) << again;
  EXPECT_NE(again.find("/Light\n"), std::string::npos) << again;
  EXPECT_EQ(Close(), 0);
}

TEST_F(FirstStart, ALanguageThatIsNotBundledKeepsTheInstalledDefaults) {
  extra_env_ = {{"LC_ALL", "fi_FI.UTF-8"}, {"GTK_THEME", "Adwaita-dark"}};
  Start();
  const std::string checked = Checked();
  EXPECT_NE(checked.find("/English\n"), std::string::npos) << checked;
  EXPECT_NE(checked.find("/Dark\n"), std::string::npos) << checked;
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace audio77::test
