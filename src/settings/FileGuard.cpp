#include "settings/FileGuard.h"

#include <atomic>
#include <mutex>

namespace audio77 {
namespace {

class InProcessGuard final : public FileGuard {
 public:
  std::unique_ptr<Hold> LockFolder(const std::string&) override {
    return std::make_unique<MutexHold>(mutex_);
  }
  bool Sync(const std::string&) override { return true; }

 private:
  class MutexHold final : public Hold {
   public:
    explicit MutexHold(std::mutex& mutex) : lock_(mutex) {}

   private:
    std::lock_guard<std::mutex> lock_;
  };
  std::mutex mutex_;
};

InProcessGuard& DefaultGuard() {
  static InProcessGuard guard;
  return guard;
}

std::atomic<FileGuard*> installed{nullptr};

}  // namespace

FileGuard& FileGuard::Current() {
  FileGuard* guard = installed.load();
  return guard != nullptr ? *guard : DefaultGuard();
}

void FileGuard::Install(FileGuard* guard) { installed.store(guard); }

}  // namespace audio77
