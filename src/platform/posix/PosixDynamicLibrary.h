#pragma once
// Run-time loading with dlopen: a bare file name is looked for in the program
// folder first, then by the system's search; a name with a folder is loaded
// from there. Modules are never unloaded.

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
