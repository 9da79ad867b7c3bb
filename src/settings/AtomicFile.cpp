#include "settings/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>

namespace audio77 {
namespace {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  return AtomicFile::TemporaryPrefix(path) + std::to_string(seed) + "-" + std::to_string(counter++);
}

// Our temporaries are ".NAME.tmp<seed>-<counter>": nothing else in a folder
// is taken for one.
bool OurTemporaryName(const std::string& name) {
  const std::size_t tmp = name.rfind(".tmp");
  if (name.size() < 2 || name.front() != '.' || tmp == std::string::npos || tmp < 2) return false;
  const std::string tail = name.substr(tmp + 4);
  const std::size_t dash = tail.find('-');
  const auto digits = [](const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return dash != std::string::npos && digits(tail.substr(0, dash)) && digits(tail.substr(dash + 1));
}

// Only writers holding the folder's lock make temporaries, so any of ours
// that is there while the lock is held was left by a writer that died.
void RemoveStaleTemporaries(const std::string& folder) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (OurTemporaryName(it->path().filename().string()) && it->is_regular_file(ignored)) {
      fs::remove(it->path(), ignored);
    }
  }
}

// A link is followed, so the file it names is replaced and the link stays.
std::string ResolveLinks(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
  const fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target.string();
}

}  // namespace

std::string AtomicFile::TemporaryPrefix(const std::string& target) {
  const fs::path path(target);
  return (path.parent_path() / ("." + path.filename().string() + ".tmp")).string();
}

AtomicFile::Content AtomicFile::Read(const std::string& path) {
  std::error_code error;
  if (!fs::exists(path, error)) return {error ? ReadStatus::kFailed : ReadStatus::kMissing, {}};
  // A folder, a pipe or a device is no settings file: opening a pipe would
  // wait for a writer, and a device may never end.
  if (!fs::is_regular_file(path, error)) return {ReadStatus::kFailed, {}};
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return {ReadStatus::kFailed, {}};
  const std::streamoff length = file.tellg();
  if (length < 0 || !file.seekg(0)) return {ReadStatus::kFailed, {}};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (!file.read(bytes.data(), length)) return {ReadStatus::kFailed, {}};
  return {ReadStatus::kRead, std::move(bytes)};
}

bool AtomicFile::Replace(const std::string& path, const std::string& bytes) {
  RemoveStaleTemporaries(FolderOf(path));
  const std::string temporary = TemporaryName(path);
  // The replacement keeps the file's mode, set before the temporary is named:
  // between its naming and the rename nothing else happens.
  std::error_code error;
  const auto status = fs::status(path, error);
  std::optional<unsigned> mode;
  if (!error && fs::exists(status)) mode = static_cast<unsigned>(status.permissions());
  if (!guard_.CreateComplete(temporary, bytes, mode)) return false;
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

void AtomicFile::ClearStaleTemporaries(const std::string& folder) {
  const auto hold = guard_.LockFolder(folder);
  if (hold) RemoveStaleTemporaries(folder);
}

bool AtomicFile::Update(const std::string& link_or_path, const Change& change) {
  const std::string path = ResolveLinks(link_or_path);
  const auto hold = guard_.LockFolder(FolderOf(path));
  if (!hold) return false;
  const Content current = Read(path);
  if (current.status == ReadStatus::kFailed) return false;
  const auto replacement = change(current);
  if (!replacement) return true;
  return Replace(path, *replacement);
}

}  // namespace audio77
