#pragma once
// The configuration record filled once at start-up from "AudioConfig.cfg" in
// the program folder: install-time names, most of them only held.

#include <string>

#include "platform/DebugOutput.h"

namespace audio77 {

inline constexpr const char* kAppConfigFileName = "AudioConfig.cfg";

struct AppConfig {
  std::string program_folder;
  std::string source_file_name;
  std::string language_folder_name;
  std::string skin_folder_name;
  // The Linux counterpart of the program-files folder: where installations
  // live ("/opt/", the program folder being "/opt/audio77/").
  std::string program_files_folder;
  std::string install_title;
  std::string install_icon_file;
  std::string install_folder_name;
  std::string shortcut_folder;
  std::string app_shortcut;
  std::string uninstall_title;
  std::string uninstall_icon_file;
  std::string uninstall_shortcut;
  std::string publisher;
  std::string uninstall_display_name;
  std::string source_folder;
  std::string install_folder_path;
  std::string app_file;
  std::string uninstall_file;
  std::string user_manual_shortcut;
  // There is no 32-bit redirection on Linux: both system folders are the
  // system library folder, as they coincide for a native process.
  std::string system_folder_32;
  std::string native_system_folder;
  std::string device_active_icon;
  std::string device_inactive_icon;
  std::string tray_restore;
  std::string effect_app_file;
  std::string effect_app_shortcut;
  std::string plugin_folder_name;
  std::string app_debug_level;
  std::string service_debug_level;
};

inline constexpr const char* kProgramFilesFolder = "/opt/";
inline constexpr const char* kSystemFolder = "/usr/lib/";

class ProgramConfigFile;

// program_path: the running program's full path; file: the configuration
// file of its folder. Fields whose key is missing or empty keep what they
// held; the debug levels fall back to "0".
void LoadAppConfig(AppConfig& config, const std::string& program_path, const ProgramConfigFile& file,
                   DebugOutput& debug);

}  // namespace audio77
