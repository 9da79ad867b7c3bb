#pragma once
// The per-user folder of a first run. On the original platform an installer
// creates, for each user, the folder named by "InstallFolderName" inside the
// APPDATA folder with its "AudioConfig.cfg" and "DefaultProfile.ini"; on Linux
// the window instance does that part once: when the folder does not exist it
// is made from the templates the program folder ships in "user/". Nothing is
// created in any other situation: a folder that exists, even empty or without
// one of the files, is the user's and stays as it is.

#include <string>

namespace audio77 {

inline constexpr const char* kUserTemplateFolder = "user/";

enum class FirstRunResult {
  kExisted,  // the per-user folder was there: nothing done
  kCreated,  // made and filled from the templates
  kFailed,   // no install folder name, no templates, or the folder could not be made: nothing left behind
};

// program_folder and app_data end with a separator.
FirstRunResult PrepareUserFolder(const std::string& program_folder, const std::string& app_data,
                                 const std::string& install_folder_name);

}  // namespace audio77
