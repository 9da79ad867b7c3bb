#include "platform/InProcessFileGuard.h"

#include <cstdio>
#include <filesystem>

namespace audio77 {
namespace {

class MutexHold final : public FileGuard::Hold {
 public:
  explicit MutexHold(std::mutex& mutex) : lock_(mutex) {}

 private:
  std::lock_guard<std::mutex> lock_;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool WriteAll(std::FILE* file, const std::string& bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return false;
  return std::fflush(file) == 0;
}

}  // namespace

std::unique_ptr<FileGuard::Hold> InProcessFileGuard::LockFolder(const std::string&) {
  return std::make_unique<MutexHold>(mutex_);
}

bool InProcessFileGuard::CreateComplete(const std::string& path, const std::string& bytes,
                                        std::optional<unsigned> mode) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wbx"));  // never reuse a stranger's file
  if (!file) return false;
  const bool written = WriteAll(file.get(), bytes);
  std::error_code error;
  if (std::fclose(file.release()) == 0 && written) {
    if (mode) std::filesystem::permissions(path, static_cast<std::filesystem::perms>(*mode), error);
    return true;
  }
  std::filesystem::remove(path, error);
  return false;
}

}  // namespace audio77
