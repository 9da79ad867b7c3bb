#include "settings/FirstRun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramConfigFile.h"
#include "settings/UserSettings.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// A program folder with the shipped templates, and an empty APPDATA folder.
struct Machine {
  TempDir dir;
  std::string program = dir.File("opt/audio77/");
  std::string app_data = dir.File("config/");
  Machine() {
    fs::create_directories(dir.File("config"));
    fs::create_directories(dir.File("opt/audio77/user"));
    fs::copy(test::SourceDir() / "assets/dist/user", dir.File("opt/audio77/user"));
  }
  std::size_t EntriesIn(const std::string& folder) const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.File(folder)), {}));
  }
};

TEST(FirstRun, MakesTheUserFolderFromTheShippedTemplatesOnce) {
  Machine m;
  m.dir.Write("config/.Audio77.new42-0/AudioConfig.cfg", "[Language]\r\n");  // a start that ended half-way
  ASSERT_EQ(PrepareUserFolder(m.program, m.app_data, "Audio77"), FirstRunResult::kCreated);
  EXPECT_EQ(m.dir.Read("config/Audio77/AudioConfig.cfg"), m.dir.Read("opt/audio77/user/AudioConfig.cfg"));
  EXPECT_EQ(m.dir.Read("config/Audio77/DefaultProfile.ini"), m.dir.Read("opt/audio77/user/DefaultProfile.ini"));
  EXPECT_EQ(m.EntriesIn("config"), 1u);  // no temporary folder left, the stale one gone

  // Choices are remembered from now on.
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const UserSettings user(profiles, m.app_data, "Audio77");
  EXPECT_TRUE(user.SetLanguage("German"));
  EXPECT_EQ(user.Language(), "German");

  // A later start, or a folder the user emptied, changes nothing.
  EXPECT_EQ(PrepareUserFolder(m.program, m.app_data, "Audio77"), FirstRunResult::kExisted);
  EXPECT_EQ(user.Language(), "German");
  fs::remove(m.dir.File("config/Audio77/AudioConfig.cfg"));
  fs::remove(m.dir.File("config/Audio77/DefaultProfile.ini"));
  EXPECT_EQ(PrepareUserFolder(m.program, m.app_data, "Audio77"), FirstRunResult::kExisted);
  EXPECT_EQ(m.EntriesIn("config/Audio77"), 0u);
}

TEST(FirstRun, WithoutTemplatesOrNameNothingIsCreated) {
  Machine m;
  EXPECT_EQ(PrepareUserFolder(m.program, m.app_data, ""), FirstRunResult::kFailed);
  fs::remove_all(m.dir.File("opt/audio77/user"));
  EXPECT_EQ(PrepareUserFolder(m.program, m.app_data, "Audio77"), FirstRunResult::kFailed);
  fs::create_directories(m.dir.File("opt/audio77/user"));  // an empty template folder
  EXPECT_EQ(PrepareUserFolder(m.program, m.app_data, "Audio77"), FirstRunResult::kFailed);
  EXPECT_EQ(m.EntriesIn("config"), 0u);
}

TEST(FirstRun, TheShippedTemplatesHoldTheKeysAStartReads) {
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const std::string user = (test::SourceDir() / "assets/dist/user/").string();
  // The per-user file starts with the English language and the dark skin.
  EXPECT_EQ(profiles.Find("Language", "DefaultLanguage", 128, user + "AudioConfig.cfg"), "English");
  EXPECT_EQ(profiles.Find("Skin", "DefaultSkin", 128, user + "AudioConfig.cfg"), "Dark");
  // Every key a profile must hold as a number is there.
  const std::string profile = user + "DefaultProfile.ini";
  for (const char* key : {"S1", "S2", "S3", "S4"}) {
    EXPECT_EQ(profiles.Find("EQ", key, 256, profile), "0x400,0x400,0x400,0x400,0x400,0") << key;
  }
  EXPECT_EQ(profiles.Find("Effect", "CurrentEffect", 256, profile), "1");
  for (const char* key : {"C", "L", "LS", "LB", "RB", "RS", "SUB", "R", "7ch1EN"}) {
    EXPECT_TRUE(profiles.Find("Virtual7ch1", key, 256, profile).has_value()) << key;
  }
  // The four enables a start reads from it are off.
  for (const auto& [section, key] : {std::pair{"EQ", "EQEN"}, std::pair{"3D", "3DEN"},
                                     std::pair{"Virtual7ch1", "7ch1EN"}, std::pair{"ENC", "ENCEN"}}) {
    EXPECT_EQ(profiles.Find(section, key, 256, profile), "0") << key;
  }
}

TEST(ProgramConfigFile, ReadsTheOverlayFirstAndWritesOnlyTheOverlay) {
  TempDir dir;
  const std::string installed =
      dir.Write("opt/AudioConfig.cfg", "[LastINI]\r\nPath=\r\n[Install]\r\nInstallAppTitle=Audio77\r\n");
  fs::permissions(dir.File("opt"), fs::perms::owner_read | fs::perms::owner_exec);  // read-only, as /opt
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const ProgramConfigFile file(profiles, installed, dir.File("user/program/AudioConfig.cfg"));

  EXPECT_EQ(file.GetString("Install", "InstallAppTitle", "d", 32), "Audio77");
  EXPECT_EQ(file.GetString("LastINI", "Path", "d", 256), "");  // present in the program folder, empty
  EXPECT_EQ(file.GetString("Missing", "Key", "d", 32), "d");
  EXPECT_FALSE(fs::exists(dir.File("user")));  // reading writes nothing

  EXPECT_TRUE(file.WriteString("LastINI", "Path", "/home/u/Audio77/mine.ini"));
  EXPECT_EQ(file.GetString("LastINI", "Path", "d", 256), "/home/u/Audio77/mine.ini");
  EXPECT_EQ(file.GetString("Install", "InstallAppTitle", "d", 32), "Audio77");
  EXPECT_EQ(dir.Read("user/program/AudioConfig.cfg"), "[LastINI]\r\nPath=/home/u/Audio77/mine.ini\r\n");
  EXPECT_EQ(dir.Read("opt/AudioConfig.cfg"), "[LastINI]\r\nPath=\r\n[Install]\r\nInstallAppTitle=Audio77\r\n");
  // The overlay is not the per-user AudioConfig.cfg: writing it created no such file.
  EXPECT_FALSE(fs::exists(dir.File("user/Audio77/AudioConfig.cfg")));

  // An empty value in the overlay hides the program folder's value too.
  EXPECT_TRUE(file.WriteString("Install", "InstallAppTitle", ""));
  EXPECT_EQ(file.GetString("Install", "InstallAppTitle", "d", 32), "");
  fs::permissions(dir.File("opt"), fs::perms::owner_all);
}

TEST(ProgramConfigFile, SitsInTheUsersConfigurationApartFromThePerUserFile) {
  struct Folders final : KnownFolders {
    std::string ProgramPath() const override { return "/opt/audio77/audio77"; }
    std::string ProgramFolder() const override { return "/opt/audio77/"; }
    std::string AppData() const override { return "/home/u/.config/"; }
    std::string UserProfile() const override { return "/home/u/"; }
    std::optional<std::string> Environment(const std::string&) const override { return std::nullopt; }
  } folders;
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const ProgramConfigFile file = ProgramConfigFile::For(profiles, folders);
  EXPECT_EQ(file.installed_path(), "/opt/audio77/AudioConfig.cfg");
  EXPECT_EQ(file.overlay_path(), "/home/u/.config/audio77/program/AudioConfig.cfg");
}

}  // namespace
}  // namespace audio77
