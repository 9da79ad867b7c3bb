// Folders and the registry store on Linux, and the file guard every settings
// writer uses: writers of one folder are serialised across processes with a
// flock on the folder, and written files reach the disk before they replace
// the old ones.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "platform/EnvironmentFolders.h"
#include "platform/linux/LinuxServices.h"
#include "settings/FileGuard.h"
#include "settings/RegistryStore.h"

namespace audio77 {
namespace {

std::string RunningProgramPath() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0) return "./audio77";
  return std::string(buffer, static_cast<std::size_t>(length));
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

class FlockHold final : public FileGuard::Hold {
 public:
  explicit FlockHold(int fd) : folder_(fd) {
    if (folder_.get() < 0) return;
    while (::flock(folder_.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~FlockHold() override {
    if (folder_.get() >= 0) ::flock(folder_.get(), LOCK_UN);
  }

 private:
  Descriptor folder_;
};

class FlockFileGuard final : public FileGuard {
 public:
  // A folder that cannot be opened is not locked: the write that follows
  // fails on its own when the folder is missing or closed to us.
  std::unique_ptr<Hold> LockFolder(const std::string& folder) override {
    return std::make_unique<FlockHold>(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  }
  bool Sync(const std::string& path) override {
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return file.get() >= 0 && ::fsync(file.get()) == 0;
  }
};

}  // namespace

void InstallLinuxFileGuard() {
  static FlockFileGuard guard;
  FileGuard::Install(&guard);
}

std::unique_ptr<KnownFolders> CreateLinuxKnownFolders() {
  return std::make_unique<EnvironmentFolders>(RunningProgramPath());
}

std::unique_ptr<Registry> CreateLinuxRegistry(const LinuxContext& context) {
  InstallLinuxFileGuard();
  return std::make_unique<RegistryStore>(RegistryStore::InstalledPathFor(context.folders),
                                         RegistryStore::UserPathFor(context.folders));
}

}  // namespace audio77
