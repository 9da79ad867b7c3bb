#include "platform/linux/FlockFileGuard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "platform/posix/FlockLock.h"

namespace audio77 {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and tells whether the close succeeded (it can report a late write error).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

class FlockHold final : public FileGuard::Hold {
 public:
  explicit FlockHold(FlockLock lock) : lock_(std::move(lock)) {}

 private:
  FlockLock lock_;
};

constexpr mode_t kFileMode = 0666;  // narrowed by the umask, as any new file

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAllAndSync(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return ::fsync(fd) == 0;
}

// The anonymous file gets its name; AT_EMPTY_PATH needs a privilege that a
// user rarely has, so the /proc link comes first.
bool LinkAnonymous(int fd, const std::string& path) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno == EEXIST) return false;
  return ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
}

enum class Anonymous { kCreated, kFailed, kUnsupported };

Anonymous CreateAnonymous(const std::string& path, const std::string& bytes, std::optional<unsigned> mode) {
  Descriptor file(::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kFileMode));
  if (file.get() < 0) {
    // Kernels and file systems without anonymous files answer with one of these.
    return errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL ? Anonymous::kUnsupported : Anonymous::kFailed;
  }
  if (!WriteAllAndSync(file.get(), bytes)) return Anonymous::kFailed;
  if (mode) (void)::fchmod(file.get(), static_cast<mode_t>(*mode));
  if (LinkAnonymous(file.get(), path)) return Anonymous::kCreated;
  return errno == EEXIST ? Anonymous::kFailed : Anonymous::kUnsupported;
}

bool CreateNamed(const std::string& path, const std::string& bytes, std::optional<unsigned> mode) {
  Descriptor file(::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, kFileMode));
  if (file.get() < 0) return false;  // never reuse a stranger's file
  if (mode) (void)::fchmod(file.get(), static_cast<mode_t>(*mode));
  const bool written = WriteAllAndSync(file.get(), bytes);
  if (file.Close() && written) return true;
  ::unlink(path.c_str());
  return false;
}

}  // namespace

std::unique_ptr<FileGuard::Hold> FlockFileGuard::LockFolder(const std::string& folder) {
  return std::make_unique<FlockHold>(FlockLock::WaitFolder(folder));
}

bool FlockFileGuard::CreateComplete(const std::string& path, const std::string& bytes,
                                    std::optional<unsigned> mode) {
  if (anonymous_) {
    const Anonymous created = CreateAnonymous(path, bytes, mode);
    if (created != Anonymous::kUnsupported) return created == Anonymous::kCreated;
  }
  return CreateNamed(path, bytes, mode);
}

}  // namespace audio77
