#pragma once
// A profile being applied. The file is read once, when the reader is made,
// and every key comes from that one content: a profile written meanwhile is
// not half-applied. Values are read as the program's private-profile reads
// give them (at most 255 characters, enclosing quotes removed).
//
// The read-back kinds: Strict throws EConvertError for a missing, empty or
// non-numeric value; ZeroWhenEmpty gives 0 for a missing, empty or
// non-numeric one; WhenPresent gives nothing for a missing or empty value and
// converts any other strictly, so that a damaged value stops the apply
// instead of being taken for 0.

#include <cstdint>
#include <memory>
#include <string>

#include "settings/AtomicFile.h"
#include "settings/PrivateProfile.h"
#include "settings/ProfileReader.h"

namespace audio77 {

// A profile holds a few kilobytes; a file far larger is something else (or
// damaged), and parsing it would hold the window for seconds.
inline constexpr std::uintmax_t kMaxProfileBytes = 1u << 20;

class ProfileFileReader final : public ProfileReader {
 public:
  ProfileFileReader(PrivateProfile& profiles, std::string path);

  // kMissing: no such file; kFailed: something is there that cannot be read
  // as a file (Problem says what). Either way every key reads as missing.
  AtomicFile::ReadStatus Status() const { return status_; }
  // For the user: why the file could not be read; empty when it was.
  std::string Problem() const;

  std::string Text(const std::string& section, const std::string& key) override;
  std::int32_t Strict(const std::string& section, const std::string& key) override;
  std::int32_t ZeroWhenEmpty(const std::string& section, const std::string& key) override;
  std::optional<std::int32_t> WhenPresent(const std::string& section, const std::string& key) override;
  const std::string& Path() const override { return path_; }

  // The key asked for last, as "\"KEY\" in section \"SECTION\"": where an
  // apply that stopped at a conversion stopped.
  std::string LastKey() const;

 private:
  std::string path_;
  AtomicFile::ReadStatus status_;
  std::shared_ptr<const ProfileDocument> document_;
  std::string last_section_;
  std::string last_key_;
};

// Why the file at path cannot be read, as far as can be told; for messages.
// A file larger than kMaxProfileBytes is not read as a profile.
std::string DescribeReadFailure(const std::string& path);

}  // namespace audio77
