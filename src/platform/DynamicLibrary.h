#pragma once
// Run-time loading of a shared library and look-up of its exports by name.
// A loaded module stays loaded for the life of the process: dropping the last
// reference does not unload it.

#include <memory>
#include <string>

namespace audio77 {

struct LoadFailure {
  int code = 0;      // the system's error number for the failed load
  std::string text;  // the loader's own explanation
};

class LoadedModule {
 public:
  virtual ~LoadedModule() = default;
  // Address of the export, or null when the module has no export of that name.
  virtual void* Symbol(const char* name) = 0;
};

class DynamicLibrary {
 public:
  virtual ~DynamicLibrary() = default;
  // Loads a library by file name: the program folder first, then the system's
  // search. Null on failure, with the reason in failure.
  virtual std::shared_ptr<LoadedModule> Load(const std::string& file_name, LoadFailure& failure) = 0;
};

}  // namespace audio77
