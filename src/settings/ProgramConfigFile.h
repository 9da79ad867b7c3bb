#pragma once
// "AudioConfig.cfg" of the program folder, read through a per-user overlay of
// the same format: the program folder may be read-only (/opt), yet the
// program writes one value into this file (the folder of the last profile
// saved). A key present in the overlay hides the program folder's; writes go
// to the overlay, never to the program folder. The overlay is no per-user
// "AudioConfig.cfg" of the install folder name: it lives apart from it, so
// writing it never creates that file.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/KnownFolders.h"
#include "settings/PrivateProfile.h"

namespace audio77 {

class ProgramConfigFile {
 public:
  ProgramConfigFile(PrivateProfile& profiles, std::string installed_path, std::string overlay_path);
  // The program folder's AudioConfig.cfg under <AppData>/audio77/program/AudioConfig.cfg.
  static ProgramConfigFile For(PrivateProfile& profiles, const KnownFolders& folders);

  // As PrivateProfile::GetString, the overlay first.
  std::string GetString(const std::string& section, const std::string& key, const std::string& default_value,
                        std::size_t buffer_chars) const;
  // The file a value comes from: the overlay when it holds the key, else the program folder's.
  const std::string& PathOf(const std::string& section, const std::string& key) const;
  // Into the overlay, created with its folder when needed.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) const;

  const std::string& installed_path() const { return installed_path_; }
  const std::string& overlay_path() const { return overlay_path_; }

 private:
  PrivateProfile& profiles_;
  std::string installed_path_;
  std::string overlay_path_;
};

}  // namespace audio77
