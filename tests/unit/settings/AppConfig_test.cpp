#include "settings/AppConfig.h"

#include <gtest/gtest.h>

#include "platform/InProcessFileGuard.h"
#include "platform/RecordingDebugOutput.h"
#include "settings/EConvertError.h"
#include "settings/ProgramConfigFile.h"
#include "settings/RuntimeConfig.h"
#include "settings/UserSettings.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::TempDir;

// The program's reader of settings files, and its configuration file seen
// through an overlay that holds nothing.
struct Files {
  InProcessFileGuard guard;
  PrivateProfile profiles{guard};
  ProgramConfigFile At(const std::string& path) { return ProgramConfigFile(profiles, path, path + ".overlay"); }
};

TEST(AppConfig, FillsTheRecordFromTheProgramFolder) {
  TempDir dir;
  dir.Write("app/AudioConfig.cfg",
            "[Language]\r\nLanguageFolderName=Languages\r\n[Skin]\r\nSkinFolderName=Skins\r\n"
            "[Install]\r\nInstallAppTitle=Audio77\r\nInstallFolderName=Audio77\r\nAPPFileName=audio77\r\n"
            "InstallIconFileName=\r\n[Application]\r\nDebugLevel=\r\n[Service]\r\nDebugLevel=3\r\n"
            "[Plugin]\r\nPluginFolderName=Plugins\r\n");
  AppConfig config;
  config.install_icon_file = "kept";  // an empty value leaves a field as it was
  RecordingDebugOutput debug;
  LoadAppConfig(config, dir.File("app/audio77"), Files().At(dir.File("app/AudioConfig.cfg")), debug);

  const std::string folder = dir.File("app/");
  EXPECT_EQ(config.source_file_name, "audio77");
  EXPECT_EQ(config.source_folder, folder);
  EXPECT_EQ(config.program_folder, folder);
  EXPECT_EQ(config.language_folder_name, "Languages");
  EXPECT_EQ(config.skin_folder_name, "Skins");
  EXPECT_EQ(config.install_title, "Audio77");
  EXPECT_EQ(config.install_icon_file, "kept");
  EXPECT_EQ(config.app_file, "audio77");
  EXPECT_EQ(config.plugin_folder_name, "Plugins");
  EXPECT_EQ(config.app_debug_level, "0");
  EXPECT_EQ(config.service_debug_level, "3");
  EXPECT_EQ(config.program_files_folder, "/opt/");
  EXPECT_EQ(config.install_folder_path, "/opt/Audio77/");
  EXPECT_EQ(config.native_system_folder, "/usr/lib/");
  EXPECT_EQ(debug.Lines(), (std::vector<std::string>{"##### SourceAppFileName = audio77\n",
                                                     "##### SourceFolderFullPath = " + folder + "\n"}));
}

TEST(AppConfig, InstallValuesAreCutAtTheirLongestAcceptedLength) {
  struct Cut {
    const char* section;
    const char* key;
    std::string AppConfig::*field;
    std::size_t max;
  };
  const Cut cuts[] = {
      {"Language", "LanguageFolderName", &AppConfig::language_folder_name, 30},
      {"Skin", "SkinFolderName", &AppConfig::skin_folder_name, 30},
      {"Plugin", "PluginFolderName", &AppConfig::plugin_folder_name, 30},
      {"Install", "InstallAppTitle", &AppConfig::install_title, 31},
      {"Install", "InstallIconFileName", &AppConfig::install_icon_file, 31},
      {"Install", "InstallFolderName", &AppConfig::install_folder_name, 127},
      {"Install", "APPFileName", &AppConfig::app_file, 2047},
  };
  // Each value is one character too long; "\u00e9" counts as one character.
  TempDir dir;
  std::string file;
  for (const char* section : {"Language", "Skin", "Plugin", "Install"}) {
    file += "[" + std::string(section) + "]\n";
    for (const auto& cut : cuts) {
      if (section == std::string(cut.section)) file += cut.key + ("=" + std::string(cut.max - 1, 'n')) + "\u00e9z\n";
    }
  }
  dir.Write("app/AudioConfig.cfg", file);
  AppConfig config;
  RecordingDebugOutput debug;
  LoadAppConfig(config, dir.File("app/audio77"), Files().At(dir.File("app/AudioConfig.cfg")), debug);
  for (const auto& cut : cuts) {
    SCOPED_TRACE(cut.key);
    EXPECT_EQ(config.*cut.field, std::string(cut.max - 1, 'n') + "\u00e9");
  }
  EXPECT_EQ(config.install_folder_path, "/opt/" + config.install_folder_name + "/");
}

TEST(AppConfig, AMissingFileOrFolderLeavesFieldsEmpty) {
  TempDir dir;
  AppConfig config;
  RecordingDebugOutput debug;
  LoadAppConfig(config, "audio77", Files().At(kAppConfigFileName), debug);
  EXPECT_EQ(config.source_folder, "");
  EXPECT_EQ(config.source_file_name, "audio77");
  EXPECT_EQ(config.language_folder_name, "");
  EXPECT_EQ(config.app_debug_level, "0");
  EXPECT_EQ(config.service_debug_level, "0");
}

struct RuntimeCase {
  const char* what;
  std::string file;
  int monitor;
  double scalar;
  int old_version;
};

TEST(RuntimeConfig, DefaultsLimitsAndLenientValues) {
  const std::string strict = "[Skin]\nRegionCut=1\n[Simple]\nEnable=0\n";
  const RuntimeCase cases[] = {
      {"missing keys", strict, 1, 2.0, 0},
      {"empty keys", strict + "[Mic]\nMonitor=\n[DefaultSet]\nV7ch1Scalar=\n", 1, 2.0, 0},
      {"set", strict + "[Mic]\nMonitor=0\n[DefaultSet]\nV7ch1Scalar=15\n[Version]\nOldVersion=1\n", 0, 1.5, 1},
      {"not numeric", strict + "[Mic]\nMonitor=two\n[Version]\nOldVersion=3rd\n", 0, 2.0, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const RuntimeConfig config = LoadRuntimeConfig(Files().At(dir.Write("AudioConfig.cfg", c.file)));
    EXPECT_EQ(config.mic_monitor, c.monitor);
    EXPECT_DOUBLE_EQ(config.V71Scalar(), c.scalar);
    EXPECT_EQ(config.old_version, c.old_version);
    EXPECT_EQ(config.region_cut, 1);
  }
}

TEST(RuntimeConfig, StrictKeysStopStartUpAndValuesAreCut) {
  TempDir dir;
  const std::string hint(40, 'h');
  Files files;
  const ProgramConfigFile path = files.At(dir.Write("AudioConfig.cfg", "[TrayIconHint]\nHintName=" + hint + "\n[Skin]\nRegionCut=yes\n"));
  try {
    LoadRuntimeConfig(path);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    // The box that ends start-up names the key and the file, not only the value.
    EXPECT_EQ(std::string(error.what()), "'yes' is not a valid integer value (\"RegionCut\" in section \"Skin\" of " +
                                             path.installed_path() + ")");
  }
  EXPECT_EQ(ReadRegionCutLenient(path), 0);
  EXPECT_EQ(ReadRuntimeValue(path, "TrayIconHint", "HintName"), std::string(31, 'h'));
  EXPECT_THROW(LoadRuntimeConfig(files.At(dir.File("missing.cfg"))), EConvertError);
}

TEST(RuntimeConfig, AStrictKeyNamesTheFileItWasReadFrom) {
  TempDir dir;
  Files files;
  const ProgramConfigFile config =
      files.At(dir.Write("AudioConfig.cfg", "[Skin]\nRegionCut=1\n[Simple]\nEnable=0\n"));
  dir.Write("AudioConfig.cfg.overlay", "[Simple]\nEnable=on\n");
  try {
    LoadRuntimeConfig(config);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(std::string(error.what()),
              "'on' is not a valid integer value (\"Enable\" in section \"Simple\" of " + config.overlay_path() + ")");
  }
  EXPECT_EQ(ReadRuntimeStrict(config, "Skin", "RegionCut"), 1);
}

TEST(UserSettings, RemembersChoicesOnlyWhenTheFileExists) {
  TempDir dir;
  Files files;
  const UserSettings user(files.profiles, dir.path().string() + "/", "Audio77");
  EXPECT_FALSE(user.SetLanguage("German"));
  EXPECT_FALSE(user.Exists());
  EXPECT_EQ(user.Language(), "");

  dir.Write("Audio77/AudioConfig.cfg", "");
  EXPECT_TRUE(user.SetLanguage("German"));
  EXPECT_TRUE(user.SetSkin("Dark"));
  EXPECT_EQ(user.Language(), "German");
  EXPECT_EQ(user.Skin(), "Dark");
  EXPECT_EQ(dir.Read("Audio77/AudioConfig.cfg"),
            "[Language]\r\nDefaultLanguage=German\r\n[Skin]\r\nDefaultSkin=Dark\r\n");
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

TEST(AppConfig, TheShippedConfigurationStartsTheProgram) {
  const std::string folder = (test::SourceDir() / "assets" / "dist").string() + "/";
  AppConfig config;
  RecordingDebugOutput debug;
  Files files;
  LoadAppConfig(config, folder + "audio77", files.At(folder + kAppConfigFileName), debug);
  for (const std::string* field : {&config.language_folder_name, &config.skin_folder_name, &config.install_title,
                                   &config.install_icon_file, &config.install_folder_name,
                                   &config.plugin_folder_name}) {
    EXPECT_FALSE(field->empty());
  }
  const RuntimeConfig runtime = LoadRuntimeConfig(files.At(folder + kAppConfigFileName));  // strict keys present
  EXPECT_EQ(runtime.mic_monitor, 1);
  EXPECT_DOUBLE_EQ(runtime.V71Scalar(), 2.0);
  EXPECT_EQ(runtime.hint_name, "Audio77");
}

}  // namespace
}  // namespace audio77
