#include "platform/EnvironmentFolders.h"

#include <cstdlib>

namespace audio77 {
namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::optional<std::string> NonEmpty(const char* value) {
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace

EnvironmentFolders::EnvironmentFolders(std::string program_path)
    : program_path_(std::move(program_path)) {}

std::string EnvironmentFolders::ProgramFolder() const {
  const auto slash = program_path_.find_last_of('/');
  if (slash == std::string::npos) return "./";
  return program_path_.substr(0, slash + 1);
}

std::string EnvironmentFolders::AppData() const {
  if (auto app_data = Environment("APPDATA")) return WithSeparator(*app_data);
  if (auto config = Environment("XDG_CONFIG_HOME")) return WithSeparator(*config);
  return WithSeparator(UserProfile() + ".config");
}

std::string EnvironmentFolders::UserProfile() const {
  if (auto profile = Environment("USERPROFILE")) return WithSeparator(*profile);
  if (auto home = Environment("HOME")) return WithSeparator(*home);
  return "/";
}

std::optional<std::string> EnvironmentFolders::Environment(const std::string& name) const {
  return NonEmpty(std::getenv(name.c_str()));
}

}  // namespace audio77
