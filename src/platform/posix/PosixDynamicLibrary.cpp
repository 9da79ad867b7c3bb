#include "platform/posix/PosixDynamicLibrary.h"

#include <dlfcn.h>
#include <link.h>

#include <cerrno>
#include <filesystem>

namespace audio77 {
namespace {

class PosixModule final : public LoadedModule {
 public:
  explicit PosixModule(void* handle) : handle_(handle) {
    link_map* map = nullptr;
    if (::dlinfo(handle_, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr) {
      own_file_ = map->l_name;
    }
  }
  // No dlclose: the library stays loaded until the process ends.
  void* Symbol(const char* name) override {
    void* address = ::dlsym(handle_, name);
    if (address == nullptr) return nullptr;
    // dlsym on a handle also searches the libraries this one needs: a name
    // found there (the C library's, a helper library's) is not an entry of
    // this library, and calling it would do something else entirely.
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) return nullptr;
    if (own_file_.empty() || own_file_ != info.dli_fname) return nullptr;
    return address;
  }

 private:
  void* handle_;
  std::string own_file_;  // as the dynamic loader names the library's file
};

// exists: the file is known to be there, so a failure is about its contents.
void* Open(const std::string& path, bool exists, LoadFailure& failure) {
  ::dlerror();
  errno = 0;
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const int error = errno;
    const char* text = ::dlerror();
    failure.code = error != 0 ? error : exists ? ENOEXEC : ENOENT;
    failure.text = text != nullptr ? text : "cannot load " + path;
  }
  return handle;
}

}  // namespace

std::shared_ptr<LoadedModule> PosixDynamicLibrary::Load(const std::string& file_name, LoadFailure& failure) {
  void* handle = nullptr;
  const bool bare = file_name.find('/') == std::string::npos;
  std::error_code error;
  if (bare && !program_folder_.empty() && std::filesystem::exists(program_folder_ + file_name, error)) {
    handle = Open(program_folder_ + file_name, true, failure);
  } else if (bare && search_ == Search::kFolderOnly) {
    failure.code = ENOENT;
    failure.text = program_folder_ + file_name + ": No such file or directory";
  } else {
    handle = Open(file_name, false, failure);
  }
  if (handle == nullptr) return nullptr;
  return std::make_shared<PosixModule>(handle);
}

}  // namespace audio77
