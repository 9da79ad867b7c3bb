#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

#include "platform/EnvironmentFolders.h"
#include "platform/FixedFolders.h"

namespace audio77 {
namespace {

// Sets variables for one test and puts the old values back afterwards.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(const std::map<std::string, std::optional<std::string>>& values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      Set(name, value);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) Set(name, value);
  }

 private:
  static void Set(const std::string& name, const std::optional<std::string>& value) {
    if (value) ::setenv(name.c_str(), value->c_str(), 1);
    else ::unsetenv(name.c_str());
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(KnownFolders, PerUserFoldersFollowTheEnvironment) {
  struct Case {
    std::optional<std::string> app_data, xdg, user_profile, home;
    std::string expected_app_data, expected_profile;
  };
  const Case cases[] = {
      {"/w/appdata", "/x", "/w/user", "/h", "/w/appdata/", "/w/user/"},
      {std::nullopt, "/x/config/", std::nullopt, "/h", "/x/config/", "/h/"},
      {"", "", "", "/h", "/h/.config/", "/h/"},
      {std::nullopt, std::nullopt, std::nullopt, std::nullopt, "/.config/", "/"},
  };
  for (const auto& c : cases) {
    ScopedEnvironment environment(
        {{"APPDATA", c.app_data}, {"XDG_CONFIG_HOME", c.xdg}, {"USERPROFILE", c.user_profile}, {"HOME", c.home}});
    const EnvironmentFolders folders("/opt/audio77/audio77");
    EXPECT_EQ(folders.AppData(), c.expected_app_data);
    EXPECT_EQ(folders.UserProfile(), c.expected_profile);
    EXPECT_EQ(folders.ProgramFolder(), "/opt/audio77/");
  }
  const FixedFolders fixed("/tmp/dist/audio77", "/tmp/home");
  EXPECT_EQ(fixed.AppData(), "/tmp/home/.config/");
  EXPECT_EQ(fixed.UserProfile(), "/tmp/home/");
  EXPECT_EQ(fixed.ProgramFolder(), "/tmp/dist/");
}

}  // namespace
}  // namespace audio77
