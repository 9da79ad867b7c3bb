#include "settings/AtomicFile.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "settings/FileGuard.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string FolderOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  const fs::path target(path);
  return (target.parent_path() / ("." + target.filename().string() + ".tmp" + std::to_string(seed) + "-" +
                                  std::to_string(counter++)))
      .string();
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  FilePtr file(std::fopen(path.c_str(), "wbx"));  // never reuse a stranger's file
  if (!file) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
  return std::fflush(file.get()) == 0;
}

}  // namespace

AtomicFile::Content AtomicFile::Read(const std::string& path) {
  std::error_code error;
  if (!fs::exists(path, error)) return {error ? ReadStatus::kFailed : ReadStatus::kMissing, {}};
  if (fs::is_directory(path, error)) return {ReadStatus::kFailed, {}};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {ReadStatus::kFailed, {}};
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return {ReadStatus::kFailed, {}};
  return {ReadStatus::kRead, std::move(bytes)};
}

bool AtomicFile::Replace(const std::string& path, const std::string& bytes) {
  const std::string temporary = TemporaryName(path);
  std::error_code error;
  if (!WriteAll(temporary, bytes) || !FileGuard::Current().Sync(temporary)) {
    fs::remove(temporary, error);
    return false;
  }
  const auto status = fs::status(path, error);
  if (!error && fs::exists(status)) fs::permissions(temporary, status.permissions(), error);
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  FileGuard::Current().Sync(FolderOf(path));
  return true;
}

namespace {

// A link is followed, so the file it names is replaced and the link stays.
std::string ResolveLinks(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
  const fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target.string();
}

}  // namespace

bool AtomicFile::Update(const std::string& link_or_path, const Change& change) {
  const std::string path = ResolveLinks(link_or_path);
  const auto hold = FileGuard::Current().LockFolder(FolderOf(path));
  if (!hold) return false;
  const Content current = Read(path);
  if (current.status == ReadStatus::kFailed) return false;
  const auto replacement = change(current);
  if (!replacement) return true;
  return Replace(path, *replacement);
}

}  // namespace audio77
