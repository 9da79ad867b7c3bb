#include "settings/AppConfig.h"

#include "platform/DebugFormat.h"
#include "settings/PrivateProfile.h"

namespace audio77 {
namespace {

constexpr std::size_t kInstallValueChars = 2048;

struct InstallKey {
  const char* section;
  const char* key;
  std::string AppConfig::*field;
};

// In the order they are read.
constexpr InstallKey kInstallKeys[] = {
    {"Language", "LanguageFolderName", &AppConfig::language_folder_name},
    {"Skin", "SkinFolderName", &AppConfig::skin_folder_name},
    {"Install", "InstallAppTitle", &AppConfig::install_title},
    {"Install", "InstallIconFileName", &AppConfig::install_icon_file},
    {"Install", "InstallFolderName", &AppConfig::install_folder_name},
    {"Install", "ShortcutFolderName", &AppConfig::shortcut_folder},
    {"Install", "AppShortcutName", &AppConfig::app_shortcut},
    {"Uninstall", "UninstallAppTitle", &AppConfig::uninstall_title},
    {"Uninstall", "UninstallIconFileName", &AppConfig::uninstall_icon_file},
    {"Uninstall", "UninstallShortcutName", &AppConfig::uninstall_shortcut},
    {"Uninstall", "Publisher", &AppConfig::publisher},
    {"Uninstall", "UninstallDisplayName", &AppConfig::uninstall_display_name},
    {"Application", "DeviceActiveIconFileName", &AppConfig::device_active_icon},
    {"Application", "DeviceUnactiveIconFileName", &AppConfig::device_inactive_icon},
    {"Application", "TrayIconRestorOn", &AppConfig::tray_restore},
    {"Install", "APPFileName", &AppConfig::app_file},
    {"Install", "UserManualShortcutName", &AppConfig::user_manual_shortcut},
    {"Uninstall", "UninstallFileName", &AppConfig::uninstall_file},
    {"Application", "DebugLevel", &AppConfig::app_debug_level},
    {"Service", "DebugLevel", &AppConfig::service_debug_level},
    {"Install", "EffectAPPFileName", &AppConfig::effect_app_file},
    {"Install", "EffectAppShortcutName", &AppConfig::effect_app_shortcut},
    {"Plugin", "PluginFolderName", &AppConfig::plugin_folder_name},
};

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

void LoadAppConfig(AppConfig& config, const std::string& program_path, const std::string& file_name,
                   DebugOutput& debug) {
  const std::size_t slash = program_path.find_last_of('/');
  config.source_file_name = slash == std::string::npos ? program_path : program_path.substr(slash + 1);
  config.source_folder = slash == std::string::npos ? std::string() : program_path.substr(0, slash + 1);
  config.program_folder = config.source_folder;
  DebugPrintf(debug, "##### SourceAppFileName = %s\n", config.source_file_name.c_str());
  DebugPrintf(debug, "##### SourceFolderFullPath = %s\n", config.source_folder.c_str());

  const std::string path = config.source_folder + file_name;
  for (const auto& entry : kInstallKeys) {
    std::string value = PrivateProfile::GetString(entry.section, entry.key, "", kInstallValueChars, path);
    if (!value.empty()) config.*entry.field = std::move(value);
  }
  if (config.app_debug_level.empty()) config.app_debug_level = "0";
  if (config.service_debug_level.empty()) config.service_debug_level = "0";

  config.program_files_folder = WithSeparator(kProgramFilesFolder);
  config.install_folder_path = config.program_files_folder + config.install_folder_name + "/";
  config.system_folder_32 = kSystemFolder;
  config.native_system_folder = kSystemFolder;
}

}  // namespace audio77
