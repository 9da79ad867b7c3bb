#pragma once
// The machine-wide settings store that the original platform calls the
// registry. Key paths are relative to HKEY_LOCAL_MACHINE and use "\" between
// their parts ("SOFTWARE\QKW 77xx Software"); names compare without regard to case.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace audio77 {

enum class RegistryType : std::uint32_t { kString = 1, kBinary = 3, kDword = 4 };

struct RegistryValue {
  RegistryType type = RegistryType::kBinary;
  // kDword: 4 bytes little-endian; kString: the UTF-8 text, no terminator; kBinary: raw bytes.
  std::vector<std::uint8_t> data;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key, creating it (and its parents) when missing. created tells
  // whether it was new. False when it can be neither opened nor created.
  virtual bool OpenOrCreateKey(const std::string& key, bool* created) = 0;
  virtual bool KeyExists(const std::string& key) const = 0;
  virtual std::optional<RegistryValue> QueryValue(const std::string& key, const std::string& name) const = 0;
  virtual bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) = 0;
  virtual bool SetString(const std::string& key, const std::string& name, const std::string& value) = 0;
  virtual bool SetBinary(const std::string& key, const std::string& name, std::span<const std::uint8_t> value) = 0;
  // Names of the direct subkeys, in the store's order.
  virtual std::vector<std::string> EnumerateSubkeys(const std::string& key) const = 0;
};

}  // namespace audio77
