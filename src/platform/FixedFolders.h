#pragma once
// KnownFolders with every folder given up front: a temporary home for tests
// and the virtual platform. Environment look-ups read the real environment.

#include "platform/KnownFolders.h"

namespace audio77 {

class FixedFolders final : public KnownFolders {
 public:
  // AppData is <home>/.config/, UserProfile is <home>/.
  FixedFolders(std::string program_path, std::string home);
  std::string ProgramPath() const override { return program_path_; }
  std::string ProgramFolder() const override;
  std::string AppData() const override;
  std::string UserProfile() const override;
  std::optional<std::string> Environment(const std::string& name) const override;

 private:
  std::string program_path_;
  std::string home_;
};

}  // namespace audio77
