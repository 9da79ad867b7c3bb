#pragma once
// device.ini of the virtual device: sections of key=value lines, ';' or '#'
// comments. Parsing is strict so that a typing error is reported with its
// line instead of silently building a different device.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace audio77::sim {

class DeviceIni {
 public:
  struct Entry {
    std::string key;
    std::string value;
    int line = 0;
  };
  // Section names are kept as written; look-ups ignore case.
  using Sections = std::map<std::string, std::vector<Entry>>;

  // Parses text; on failure error names the line ("device.ini line 4: ...").
  static std::optional<DeviceIni> Parse(const std::string& text, std::string& error);
  // Sets section/key to value in the file at path, keeping every other line;
  // creates the file, the section or the key when missing.
  static bool Update(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value);
  // Removes a whole section from the file at path (nothing when absent).
  static bool RemoveSection(const std::string& path, const std::string& section);

  const std::vector<Entry>& Section(const std::string& name) const;

 private:
  Sections sections_;
};

// Strict integer of device.ini and of control commands: decimal or 0x-hexadecimal.
std::optional<long> ParseNumber(const std::string& text);

}  // namespace audio77::sim
