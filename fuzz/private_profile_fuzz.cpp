// Any bytes as a private-profile file, then a write: the text round-trips
// byte for byte, a written value reads back, and no line other than the
// written one changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/ProfileDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte picks the operation, the next bytes up to a NUL name the
  // section and key; the rest is the file.
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = input.find('\0');
  const std::string names = split == std::string::npos ? std::string("S") : input.substr(0, split);
  const std::string file = split == std::string::npos ? input : input.substr(split + 1);
  const std::string section = names.substr(0, names.size() / 2);
  const std::string key = names.substr(names.size() / 2);
  if (section.find_first_of("\r\n") != std::string::npos || key.find_first_of("\r\n") != std::string::npos) return 0;

  auto document = audio77::ProfileDocument::Parse(file);
  if (document.Serialize() != file) std::abort();
  document.Find(section, key);
  switch (data[0] % 3) {
    case 0: {
      const std::string trimmed_key = key;
      document.SetValue(section, key, "fuzz value");
      const auto reread = audio77::ProfileDocument::Parse(document.Serialize());
      // A key that is blank, starts a header or holds "=" cannot be found again by name;
      // nor can any key of a file with NUL bytes, which reads as UTF-16 without its mark.
      const bool findable = key.find_first_not_of(" \t\v\f") != std::string::npos && key.find('=') == std::string::npos &&
                            key.find_first_not_of(" \t\v\f") != key.find('[') &&
                            section.find(']') == std::string::npos && file.find('\0') == std::string::npos;
      if (findable && reread.Find(section, key) != std::optional<std::string>("fuzz value")) std::abort();
      break;
    }
    case 1:
      document.DeleteKey(section, key);
      audio77::ProfileDocument::Parse(document.Serialize());
      break;
    default:
      document.DeleteSection(section);
      audio77::ProfileDocument::Parse(document.Serialize());
      break;
  }
  return 0;
}
