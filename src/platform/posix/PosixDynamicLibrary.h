#pragma once
// Run-time loading with dlopen: a bare file name is looked for in the program
// folder first, then by the system's search; a name with a folder is loaded
// from there. When the program folder has a copy, that copy is the library:
// if it does not load, the reason is its own, and the system's search is not
// tried. Libraries are loaded RTLD_LOCAL, and a symbol counts as an export of
// the library only when it is defined in the library's own file, not in one
// of the libraries it needs. Modules are never unloaded.

#include <string>

#include "platform/DynamicLibrary.h"

namespace audio77 {

class PosixDynamicLibrary final : public DynamicLibrary {
 public:
  // program_folder ends with a separator, or is empty.
  explicit PosixDynamicLibrary(std::string program_folder) : program_folder_(std::move(program_folder)) {}
  std::shared_ptr<LoadedModule> Load(const std::string& file_name, LoadFailure& failure) override;

 private:
  std::string program_folder_;
};

}  // namespace audio77
