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
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileGuard.h"
#include "settings/AtomicFile.h"
#include "settings/ProfileCache.h"

namespace audio77 {

struct IniEntry {
  std::string section;
  std::string key;
  std::string value;
};

// The program owns one, made over the platform's file guard, and hands it to
// every reader and writer of its settings files.
class PrivateProfile {
 public:
  explicit PrivateProfile(FileGuard& guard) : files_(guard) {}
  PrivateProfile(const PrivateProfile&) = delete;
  PrivateProfile& operator=(const PrivateProfile&) = delete;

  // The value, or default_value when the file, section or key is missing; cut
  // to buffer_chars - 1 characters.
  std::string GetString(const std::string& section, const std::string& key, const std::string& default_value,
                        std::size_t buffer_chars, const std::string& path);
  // The value as GetString gives it, or nothing when the file, section or key is missing.
  std::optional<std::string> Find(const std::string& section, const std::string& key, std::size_t buffer_chars,
                                  const std::string& path);
  // key null: deletes the section; value null: deletes the key; otherwise sets
  // the key, creating the file and the section when needed. False when the
  // file could not be written (it keeps its former content), a name or value
  // holds a line end, or the key has no name.
  bool WriteString(const std::string& section, const std::optional<std::string>& key,
                   const std::optional<std::string>& value, const std::string& path);
  // Sets every entry, in order, with one replacement of the file: a reader
  // sees all of them or none. False, and the file unchanged, when any entry
  // could not be written as WriteString says or the file could not be.
  bool WriteStrings(const std::vector<IniEntry>& entries, const std::string& path);

  // Removes temporaries that killed writers left in folder.
  void ClearStaleTemporaries(const std::string& folder) { files_.ClearStaleTemporaries(folder); }

  // One file as it is now, for a reader that asks many keys of the same
  // version of it: the document is null unless the status is kRead.
  struct Loaded {
    AtomicFile::ReadStatus status = AtomicFile::ReadStatus::kMissing;
    std::shared_ptr<const ProfileDocument> document;
  };
  Loaded Load(const std::string& path);
  // A value of a loaded file, as Find gives it.
  static std::optional<std::string> Value(const ProfileDocument& document, const std::string& section,
                                          const std::string& key, std::size_t buffer_chars);

 private:
  AtomicFile files_;
  ProfileCache cache_;
};

// The program's own read: at most 255 characters, empty when missing. Always 0.
int ReadIniValue(PrivateProfile& profiles, const std::string& path, const std::string& section,
                 const std::string& key, std::string& value);
// Always 0, as callers expect; a value that cannot be written is lost.
int WriteIniValue(PrivateProfile& profiles, const std::string& path, const std::string& section,
                  const std::string& key, const std::string& value);
bool FileExists(const std::string& path);

inline constexpr std::size_t kIniValueBufferChars = 256;

}  // namespace audio77
