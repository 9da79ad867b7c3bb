#pragma once
// Private-profile files: INI text read and written key by key, following the
// rules of the platform the settings files come from, so files travel both
// ways unchanged. Paths and text are UTF-8; lengths count UTF-16 code units,
// as the callers' character buffers do.
//
// Reading: lines end at any run of CR/LF and are trimmed; "[name]" opens a
// section, "name=value" is a key; names compare trimmed and without regard to
// case, the first section and the first key that match win; a value enclosed
// in a pair of equal quotes loses them. Writing replaces the file atomically
// and touches no other byte of it.

#include <cstddef>
#include <optional>
#include <string>

namespace audio77 {

class PrivateProfile {
 public:
  // The value, or default_value when the file, section or key is missing; cut
  // to buffer_chars - 1 characters.
  static std::string GetString(const std::string& section, const std::string& key,
                               const std::string& default_value, std::size_t buffer_chars,
                               const std::string& path);
  // key null: deletes the section; value null: deletes the key; otherwise sets
  // the key, creating the file and the section when needed. False when the
  // file could not be written (it keeps its former content) or a name or
  // value holds a line end.
  static bool WriteString(const std::string& section, const std::optional<std::string>& key,
                          const std::optional<std::string>& value, const std::string& path);
};

// The program's own read: at most 255 characters, empty when missing. Always 0.
int ReadIniValue(const std::string& path, const std::string& section, const std::string& key,
                 std::string& value);
// Always 0, as callers expect; a value that cannot be written is lost.
int WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);
bool FileExists(const std::string& path);

inline constexpr std::size_t kIniValueBufferChars = 256;

}  // namespace audio77
