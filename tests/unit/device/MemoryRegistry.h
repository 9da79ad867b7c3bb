#pragma once
// A registry held in memory, for the loaders that read signed lists from it.

#include <map>
#include <set>

#include "platform/Registry.h"

namespace audio77::test {

class MemoryRegistry final : public Registry {
 public:
  bool writable = true;
  std::set<std::string> keys;
  std::map<std::pair<std::string, std::string>, RegistryValue> values;

  bool OpenOrCreateKey(const std::string& key, bool* created) override {
    const bool exists = keys.count(key) != 0;
    if (created) *created = !exists && writable;
    if (!exists && writable) keys.insert(key);
    return exists || writable;
  }
  bool KeyExists(const std::string& key) const override { return keys.count(key) != 0; }
  std::optional<RegistryValue> QueryValue(const std::string& key, const std::string& name) const override {
    const auto found = values.find({key, name});
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) override {
    return Set(key, name, {RegistryType::kDword,
                           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}});
  }
  bool SetString(const std::string& key, const std::string& name, const std::string& value) override {
    return Set(key, name, {RegistryType::kString, std::vector<std::uint8_t>(value.begin(), value.end())});
  }
  bool SetBinary(const std::string& key, const std::string& name, std::span<const std::uint8_t> value) override {
    return Set(key, name, {RegistryType::kBinary, std::vector<std::uint8_t>(value.begin(), value.end())});
  }
  std::vector<std::string> EnumerateSubkeys(const std::string&) const override { return {}; }

 private:
  bool Set(const std::string& key, const std::string& name, RegistryValue value) {
    keys.insert(key);
    values[{key, name}] = std::move(value);
    return true;
  }
};

}  // namespace audio77::test
