#pragma once
// KnownFolders from the environment, as the program sees them on Linux.

#include "platform/KnownFolders.h"

namespace audio77 {

class EnvironmentFolders final : public KnownFolders {
 public:
  // program_path: the running program file (symbolic links resolved).
  explicit EnvironmentFolders(std::string program_path);
  std::string ProgramPath() const override { return program_path_; }
  std::string ProgramFolder() const override;
  std::string AppData() const override;
  std::string UserProfile() const override;
  std::optional<std::string> Environment(const std::string& name) const override;

 private:
  std::string program_path_;
};

}  // namespace audio77
