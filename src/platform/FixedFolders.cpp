#include "platform/FixedFolders.h"

#include <cstdlib>

namespace audio77 {

FixedFolders::FixedFolders(std::string program_path, std::string home)
    : program_path_(std::move(program_path)), home_(std::move(home)) {
  if (home_.empty() || home_.back() != '/') home_ += '/';
}

std::string FixedFolders::ProgramFolder() const {
  const auto slash = program_path_.find_last_of('/');
  if (slash == std::string::npos) return "./";
  return program_path_.substr(0, slash + 1);
}

std::string FixedFolders::AppData() const { return home_ + ".config/"; }

std::string FixedFolders::UserProfile() const { return home_; }

std::optional<std::string> FixedFolders::Environment(const std::string& name) const {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace audio77
