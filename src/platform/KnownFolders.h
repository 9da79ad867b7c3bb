#pragma once
// Folders and environment the program reads: the program folder (the folder of
// the running program file), the per-user folders that the original platform
// names APPDATA and USERPROFILE, and plain environment look-ups.
// All folder results end with the path separator.

#include <optional>
#include <string>

namespace audio77 {

class KnownFolders {
 public:
  virtual ~KnownFolders() = default;
  // Full path of the running program file, symbolic links resolved.
  virtual std::string ProgramPath() const = 0;
  // Folder of ProgramPath(), with a trailing separator.
  virtual std::string ProgramFolder() const = 0;
  // Per-user application data: $APPDATA, else $XDG_CONFIG_HOME, else ~/.config.
  virtual std::string AppData() const = 0;
  // The user's home: $USERPROFILE, else $HOME.
  virtual std::string UserProfile() const = 0;
  virtual std::optional<std::string> Environment(const std::string& name) const = 0;
};

}  // namespace audio77
