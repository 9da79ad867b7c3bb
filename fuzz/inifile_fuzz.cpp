// Any bytes as an INI file: the reader never crashes, and what it holds is
// consistent with its lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/Inifilemanager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  audio77::CIniMgr ini;
  const int result = ini.LoadBytes(std::string(reinterpret_cast<const char*>(data), size));
  if (result != 0 && result != audio77::CIniMgr::kCannotDecode) std::abort();
  if (result != 0 && (!ini.Lines().empty() || !ini.Sections().empty())) std::abort();
  for (const auto& define : ini.Sections()) {
    std::vector<std::u16string> names;
    ini.GetValueNames(define->name, names);
    for (const auto& name : names) {
      if (name.empty()) std::abort();
      ini.GetValue(define->name, name);
    }
  }
  return 0;
}
