#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/EnvironmentFolders.h"
#include "platform/FixedFolders.h"

namespace audio77 {
namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = ::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value) ::setenv(name, value, 1); else ::unsetenv(name);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) ::setenv(it->first.c_str(), it->second->c_str(), 1);
      else ::unsetenv(it->first.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(EnvironmentFolders, AppDataAndUserProfileFallBackInOrder) {
  struct Case {
    const char* appdata;
    const char* xdg;
    const char* userprofile;
    const char* home;
    std::string app_data;
    std::string user_profile;
  };
  const Case cases[] = {
      {"/w/appdata", "/w/xdg", "/w/profile", "/w/home", "/w/appdata/", "/w/profile/"},
      {nullptr, "/w/xdg/", nullptr, "/w/home", "/w/xdg/", "/w/home/"},
      {"", "", "", "/w/home", "/w/home/.config/", "/w/home/"},
  };
  for (const auto& c : cases) {
    ScopedEnvironment env;
    env.Set("APPDATA", c.appdata);
    env.Set("XDG_CONFIG_HOME", c.xdg);
    env.Set("USERPROFILE", c.userprofile);
    env.Set("HOME", c.home);
    EnvironmentFolders folders("/opt/audio77/audio77");
    EXPECT_EQ(folders.AppData(), c.app_data);
    EXPECT_EQ(folders.UserProfile(), c.user_profile);
    EXPECT_EQ(folders.ProgramFolder(), "/opt/audio77/");
  }
}

TEST(FixedFolders, TemporaryHome) {
  FixedFolders folders("/tmp/x/dist/audio77", "/tmp/x/home");
  EXPECT_EQ(folders.ProgramFolder(), "/tmp/x/dist/");
  EXPECT_EQ(folders.AppData(), "/tmp/x/home/.config/");
  EXPECT_EQ(folders.UserProfile(), "/tmp/x/home/");
}

}  // namespace
}  // namespace audio77
