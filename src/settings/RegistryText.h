#pragma once
// Registry keys and values in the text of the platform's registry export
// files ("Windows Registry Editor Version 5.00"): "[ROOT\path]" opens a key,
// "name"=dword:0000000c, "name"="text", "name"=hex:01,02 and hex(n): lines
// hold its values, "@" names the default value, and a line ending in "\"
// continues on the next one. Key paths are full ("HKEY_LOCAL_MACHINE\..."),
// names compare without regard to case. Lines that cannot be read are skipped.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace audio77 {

class RegistryText {
 public:
  struct NamedValue {
    std::string name;  // "" for the default value
    RegistryValue value;
  };
  struct Key {
    std::string path;
    std::vector<NamedValue> values;
  };

  // Accepts UTF-8 (with or without mark) and UTF-16 with mark.
  static RegistryText Parse(std::string_view bytes);
  // UTF-8 without mark, CR LF line ends.
  std::string Serialize() const;

  const std::vector<Key>& keys() const { return keys_; }
  const Key* FindKey(std::string_view path) const;
  // True when the key or one of its subkeys is listed.
  bool HasKey(std::string_view path) const;
  const RegistryValue* FindValue(std::string_view path, std::string_view name) const;
  // Names of the direct subkeys, in the order they first appear.
  std::vector<std::string> Subkeys(std::string_view path) const;

  Key& AddKey(std::string_view path);  // the existing key when listed already
  void SetValue(std::string_view path, std::string_view name, RegistryValue value);

  static bool SameName(std::string_view a, std::string_view b);

 private:
  std::vector<Key> keys_;
};

}  // namespace audio77
