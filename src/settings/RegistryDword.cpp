#include "settings/RegistryDword.h"

namespace audio77 {
namespace {
std::string SoftwareKey(const std::string& subkey) { return "SOFTWARE\\" + subkey; }
}  // namespace

int RegGetDword(Registry& registry, const std::string& subkey, const std::string& name, std::uint32_t& value) {
  const std::string key = SoftwareKey(subkey);
  bool created = false;
  if (!registry.OpenOrCreateKey(key, &created)) {
    // Neither there nor creatable: nothing can be read from it.
    return registry.KeyExists(key) ? kRegValueMissing : kRegKeyCreated;
  }
  if (created) return kRegKeyCreated;
  const auto stored = registry.QueryValue(key, name);
  // Only a 32-bit number is read: four bytes of text or of binary data are
  // not one, and a value of another size would fill the 32 bits only in part.
  if (!stored || stored->type != RegistryType::kDword || stored->data.size() != 4) return kRegValueMissing;
  value = static_cast<std::uint32_t>(stored->data[0]) | (static_cast<std::uint32_t>(stored->data[1]) << 8) |
          (static_cast<std::uint32_t>(stored->data[2]) << 16) | (static_cast<std::uint32_t>(stored->data[3]) << 24);
  return kRegRead;
}

int RegSetDword(Registry& registry, const std::string& subkey, const std::string& name, std::uint32_t value) {
  const std::string key = SoftwareKey(subkey);
  registry.OpenOrCreateKey(key, nullptr);
  registry.SetDword(key, name, value);
  return 0;
}

}  // namespace audio77
