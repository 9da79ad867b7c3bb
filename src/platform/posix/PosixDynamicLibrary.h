#pragma once
// Run-time loading with dlopen: a bare file name is looked for in the program
// folder first, then by the system's search; a name with a folder is loaded
// from there. When the program folder has a copy, that copy is the library:
// if it does not load, the reason is its own, and the system's search is not
// tried. Libraries are loaded RTLD_LOCAL, and a symbol counts as an export of
// the library only when it is defined in the library's own file, not in one
// of the libraries it needs. Modules are never unloaded.
//
// A loader confined to its folder never asks the system's search: a bare name
// is that folder's file or nothing (the virtual device's library must never
// be swapped for the hardware one found through the program's run path).

#include <string>

#include "platform/DynamicLibrary.h"

namespace audio77 {

class PosixDynamicLibrary final : public DynamicLibrary {
 public:
  // program_folder ends with a separator, or is empty.
  enum class Search { kFolderThenSystem, kFolderOnly };
  explicit PosixDynamicLibrary(std::string program_folder, Search search = Search::kFolderThenSystem)
      : program_folder_(std::move(program_folder)), search_(search) {}
  std::shared_ptr<LoadedModule> Load(const std::string& file_name, LoadFailure& failure) override;

 private:
  std::string program_folder_;
  Search search_;
};

}  // namespace audio77
