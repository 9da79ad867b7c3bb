#include "settings/ProgramConfigFile.h"

#include <filesystem>

#include "settings/AppConfig.h"

namespace audio77 {

ProgramConfigFile::ProgramConfigFile(PrivateProfile& profiles, std::string installed_path, std::string overlay_path)
    : profiles_(profiles), installed_path_(std::move(installed_path)), overlay_path_(std::move(overlay_path)) {}

ProgramConfigFile ProgramConfigFile::For(PrivateProfile& profiles, const KnownFolders& folders) {
  return ProgramConfigFile(profiles, folders.ProgramFolder() + kAppConfigFileName,
                           folders.AppData() + "audio77/program/" + kAppConfigFileName);
}

std::string ProgramConfigFile::GetString(const std::string& section, const std::string& key,
                                         const std::string& default_value, std::size_t buffer_chars) const {
  if (auto value = profiles_.Find(section, key, buffer_chars, overlay_path_)) return *value;
  return profiles_.GetString(section, key, default_value, buffer_chars, installed_path_);
}

const std::string& ProgramConfigFile::PathOf(const std::string& section, const std::string& key) const {
  return profiles_.Find(section, key, 1, overlay_path_) ? overlay_path_ : installed_path_;
}

bool ProgramConfigFile::WriteString(const std::string& section, const std::string& key,
                                    const std::string& value) const {
  std::error_code error;
  const auto folder = std::filesystem::path(overlay_path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  return profiles_.WriteString(section, key, value, overlay_path_);
}

}  // namespace audio77
