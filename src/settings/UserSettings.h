#pragma once
// The per-user "AudioConfig.cfg": the language and skin the user picked. It
// lives in <APPDATA>/<InstallFolderName>/. The program never creates it: a
// choice is written only when the file is already there.

#include <string>

#include "settings/PrivateProfile.h"

namespace audio77 {

class UserSettings {
 public:
  // app_data: the per-user data folder, with its trailing separator.
  UserSettings(PrivateProfile& profiles, const std::string& app_data, const std::string& install_folder_name);
  const std::string& Path() const { return path_; }
  bool Exists() const;
  std::string Language() const;
  std::string Skin() const;
  // False when the file does not exist or could not be written.
  bool SetLanguage(const std::string& language) const;
  bool SetSkin(const std::string& skin) const;

 private:
  std::string Read(const char* section, const char* key) const;
  bool Write(const char* section, const char* key, const std::string& value) const;
  PrivateProfile& profiles_;
  std::string path_;
};

}  // namespace audio77
