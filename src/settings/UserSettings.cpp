#include "settings/UserSettings.h"

#include "settings/AppConfig.h"
#include "settings/PrivateProfile.h"

namespace audio77 {
namespace {
constexpr std::size_t kUserValueChars = 128;
}  // namespace

UserSettings::UserSettings(PrivateProfile& profiles, const std::string& app_data,
                           const std::string& install_folder_name)
    : profiles_(profiles), path_(app_data + install_folder_name + "/" + kAppConfigFileName) {}

bool UserSettings::Exists() const { return FileExists(path_); }

std::string UserSettings::Language() const { return Read("Language", "DefaultLanguage"); }

std::string UserSettings::Skin() const { return Read("Skin", "DefaultSkin"); }

bool UserSettings::SetLanguage(const std::string& language) const {
  return Write("Language", "DefaultLanguage", language);
}

bool UserSettings::SetSkin(const std::string& skin) const { return Write("Skin", "DefaultSkin", skin); }

std::string UserSettings::Read(const char* section, const char* key) const {
  return profiles_.GetString(section, key, "", kUserValueChars, path_);
}

bool UserSettings::Write(const char* section, const char* key, const std::string& value) const {
  return Exists() && profiles_.WriteString(section, key, value, path_);
}

}  // namespace audio77
