#include "platform/posix/PosixDynamicLibrary.h"

#include <dlfcn.h>

#include <cerrno>

namespace audio77 {
namespace {

class PosixModule final : public LoadedModule {
 public:
  explicit PosixModule(void* handle) : handle_(handle) {}
  // No dlclose: the library stays loaded until the process ends.
  void* Symbol(const char* name) override { return ::dlsym(handle_, name); }

 private:
  void* handle_;
};

void* Open(const std::string& path, LoadFailure& failure) {
  errno = 0;
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* text = ::dlerror();
    failure.code = errno != 0 ? errno : ENOENT;
    failure.text = text != nullptr ? text : "cannot load " + path;
  }
  return handle;
}

}  // namespace

std::shared_ptr<LoadedModule> PosixDynamicLibrary::Load(const std::string& file_name, LoadFailure& failure) {
  void* handle = nullptr;
  const bool bare = file_name.find('/') == std::string::npos;
  if (bare && !program_folder_.empty()) handle = Open(program_folder_ + file_name, failure);
  if (handle == nullptr) handle = Open(file_name, failure);
  if (handle == nullptr) return nullptr;
  return std::make_shared<PosixModule>(handle);
}

}  // namespace audio77
