#include "settings/FirstRun.h"

#include <atomic>
#include <filesystem>
#include <random>

namespace audio77 {
namespace {

namespace fs = std::filesystem;

// The folder is filled under a temporary name and renamed into place, so a
// start that ends half-way never leaves a folder without its files (which
// would count as set up at every later start).
std::string TemporaryPrefix(const fs::path& folder) { return "." + folder.filename().string() + ".new"; }

fs::path TemporaryFolder(const fs::path& folder) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  return folder.parent_path() / (TemporaryPrefix(folder) + std::to_string(seed) + "-" + std::to_string(counter++));
}

// What a start that ended half-way left; one window instance runs at a time.
void RemoveStaleTemporaries(const fs::path& folder) {
  const std::string prefix = TemporaryPrefix(folder);
  std::error_code error;
  for (fs::directory_iterator it(folder.parent_path(), error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->path().filename().string().rfind(prefix, 0) == 0) fs::remove_all(it->path(), ignored);
  }
}

bool CopyTemplates(const fs::path& templates, const fs::path& into) {
  std::error_code error;
  if (!fs::create_directories(into, error)) return false;
  bool any = false;
  for (fs::directory_iterator it(templates, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    if (!fs::copy_file(it->path(), into / it->path().filename(), error)) return false;
    any = true;
  }
  return !error && any;
}

}  // namespace

FirstRunResult PrepareUserFolder(const std::string& program_folder, const std::string& app_data,
                                 const std::string& install_folder_name) {
  if (install_folder_name.empty() || app_data.empty()) return FirstRunResult::kFailed;
  const fs::path folder = fs::path(app_data) / install_folder_name;
  std::error_code error;
  const fs::file_type type = fs::symlink_status(folder, error).type();
  if (type == fs::file_type::none) return FirstRunResult::kFailed;  // it could not be looked at
  if (type != fs::file_type::not_found) return FirstRunResult::kExisted;
  const fs::path templates = fs::path(program_folder) / kUserTemplateFolder;
  if (!fs::is_directory(templates, error)) return FirstRunResult::kFailed;

  fs::create_directories(folder.parent_path(), error);
  RemoveStaleTemporaries(folder);
  const fs::path temporary = TemporaryFolder(folder);
  if (CopyTemplates(templates, temporary)) {
    fs::rename(temporary, folder, error);
    if (!error) return FirstRunResult::kCreated;
  }
  fs::remove_all(temporary, error);
  // Another instance may have made it meanwhile.
  return fs::is_directory(folder, error) ? FirstRunResult::kExisted : FirstRunResult::kFailed;
}

}  // namespace audio77
