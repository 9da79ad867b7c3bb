#pragma once
// A profile being saved: the features write their keys into it, then one
// Commit replaces the file with all of them at once, so that a reader, or a
// program killed half way, finds either the old profile or the new one, never
// a file without some of its keys. The keys take their places in the order of
// the profile's key table; an existing file keeps its other keys and lines.

#include <optional>
#include <string>
#include <vector>

#include "settings/PrivateProfile.h"
#include "settings/ProfileWriter.h"

namespace audio77 {

class ProfileFileWriter final : public ProfileWriter {
 public:
  ProfileFileWriter(PrivateProfile& profiles, std::string path);

  void WriteInt(const std::string& section, const std::string& key, std::int64_t value) override;
  void WriteText(const std::string& section, const std::string& key, const std::string& value) override;

  // What Commit will write, in the file's order; a key written twice keeps
  // its last value.
  std::vector<IniEntry> Entries() const;
  // Nothing when the file now holds every key; otherwise, for the user, why
  // it could not be written (the file is then as it was).
  std::optional<std::string> Commit();

  const std::string& Path() const { return path_; }

 private:
  PrivateProfile& profiles_;
  std::string path_;
  std::vector<IniEntry> entries_;  // in the order written
};

// Why a settings file at path cannot be written, as far as can be told after
// the fact; for messages.
std::string DescribeWriteFailure(const std::string& path);

}  // namespace audio77
