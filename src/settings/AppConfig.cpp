#include "settings/AppConfig.h"

#include "platform/DebugFormat.h"
#include "settings/ProgramConfigFile.h"

namespace audio77 {
namespace {

constexpr std::size_t kInstallValueChars = 2048;
// The longest values the install-time keys take; longer ones are cut.
constexpr std::size_t kFolderNameMax = 30;
constexpr std::size_t kShortNameMax = 31;
constexpr std::size_t kUserFolderNameMax = 127;
constexpr std::size_t kTextMax = kInstallValueChars - 1;

struct InstallKey {
  const char* section;
  const char* key;
  std::string AppConfig::*field;
  std::size_t max_chars;
};

// In the order they are read.
constexpr InstallKey kInstallKeys[] = {
    {"Language", "LanguageFolderName", &AppConfig::language_folder_name, kFolderNameMax},
    {"Skin", "SkinFolderName", &AppConfig::skin_folder_name, kFolderNameMax},
    {"Install", "InstallAppTitle", &AppConfig::install_title, kShortNameMax},
    {"Install", "InstallIconFileName", &AppConfig::install_icon_file, kShortNameMax},
    {"Install", "InstallFolderName", &AppConfig::install_folder_name, kUserFolderNameMax},
    {"Install", "ShortcutFolderName", &AppConfig::shortcut_folder, kTextMax},
    {"Install", "AppShortcutName", &AppConfig::app_shortcut, kTextMax},
    {"Uninstall", "UninstallAppTitle", &AppConfig::uninstall_title, kTextMax},
    {"Uninstall", "UninstallIconFileName", &AppConfig::uninstall_icon_file, kTextMax},
    {"Uninstall", "UninstallShortcutName", &AppConfig::uninstall_shortcut, kTextMax},
    {"Uninstall", "Publisher", &AppConfig::publisher, kTextMax},
    {"Uninstall", "UninstallDisplayName", &AppConfig::uninstall_display_name, kTextMax},
    {"Application", "DeviceActiveIconFileName", &AppConfig::device_active_icon, kTextMax},
    {"Application", "DeviceUnactiveIconFileName", &AppConfig::device_inactive_icon, kTextMax},
    {"Application", "TrayIconRestorOn", &AppConfig::tray_restore, kTextMax},
    {"Install", "APPFileName", &AppConfig::app_file, kTextMax},
    {"Install", "UserManualShortcutName", &AppConfig::user_manual_shortcut, kTextMax},
    {"Uninstall", "UninstallFileName", &AppConfig::uninstall_file, kTextMax},
    {"Application", "DebugLevel", &AppConfig::app_debug_level, kTextMax},
    {"Service", "DebugLevel", &AppConfig::service_debug_level, kTextMax},
    {"Install", "EffectAPPFileName", &AppConfig::effect_app_file, kTextMax},
    {"Install", "EffectAppShortcutName", &AppConfig::effect_app_shortcut, kTextMax},
    {"Plugin", "PluginFolderName", &AppConfig::plugin_folder_name, kFolderNameMax},
};

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

void LoadAppConfig(AppConfig& config, const std::string& program_path, const ProgramConfigFile& file,
                   DebugOutput& debug) {
  const std::size_t slash = program_path.find_last_of('/');
  config.source_file_name = slash == std::string::npos ? program_path : program_path.substr(slash + 1);
  config.source_folder = slash == std::string::npos ? std::string() : program_path.substr(0, slash + 1);
  config.program_folder = config.source_folder;
  DebugPrintf(debug, "##### SourceAppFileName = %s\n", config.source_file_name.c_str());
  DebugPrintf(debug, "##### SourceFolderFullPath = %s\n", config.source_folder.c_str());

  for (const auto& entry : kInstallKeys) {
    std::string value = file.GetString(entry.section, entry.key, "", kInstallValueChars);
    if (!value.empty()) config.*entry.field = TruncateToUtf16Units(value, entry.max_chars);
  }
  if (config.app_debug_level.empty()) config.app_debug_level = "0";
  if (config.service_debug_level.empty()) config.service_debug_level = "0";

  config.program_files_folder = WithSeparator(kProgramFilesFolder);
  config.install_folder_path = config.program_files_folder + config.install_folder_name + "/";
  config.system_folder_32 = kSystemFolder;
  config.native_system_folder = kSystemFolder;
}

}  // namespace audio77
