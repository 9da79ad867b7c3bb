// Any bytes as a registry export file: reading never crashes, and what is
// read survives being written and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/RegistryText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto first = audio77::RegistryText::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string written = first.Serialize();
  const auto second = audio77::RegistryText::Parse(written);
  if (second.Serialize() != written) std::abort();
  for (const auto& key : first.keys()) {
    first.Subkeys(key.path);
    for (const auto& named : key.values) {
      if (first.FindValue(key.path, named.name) == nullptr) std::abort();
    }
  }
  return 0;
}
