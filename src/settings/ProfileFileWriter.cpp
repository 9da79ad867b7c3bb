#include "settings/ProfileFileWriter.h"

#include <algorithm>
#include <filesystem>

#include "settings/ProfileFileReader.h"
#include "settings/ProfileKeys.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

ProfileFileWriter::ProfileFileWriter(PrivateProfile& profiles, std::string path)
    : profiles_(profiles), path_(std::move(path)) {}

void ProfileFileWriter::WriteInt(const std::string& section, const std::string& key, std::int64_t value) {
  WriteText(section, key, std::to_string(value));
}

void ProfileFileWriter::WriteText(const std::string& section, const std::string& key, const std::string& value) {
  for (auto& entry : entries_) {
    if (SameName(entry.section, section) && SameName(entry.key, key)) {
      entry.value = value;
      return;
    }
  }
  entries_.push_back({section, key, value});
}

std::vector<IniEntry> ProfileFileWriter::Entries() const {
  const std::size_t unknown = ProfileKeys().size();
  std::vector<IniEntry> ordered = entries_;
  std::stable_sort(ordered.begin(), ordered.end(), [&](const IniEntry& a, const IniEntry& b) {
    return ProfileKeyIndex(a.section, a.key).value_or(unknown) < ProfileKeyIndex(b.section, b.key).value_or(unknown);
  });
  return ordered;
}

std::optional<std::string> ProfileFileWriter::Commit() {
  std::error_code error;
  // Whatever a file this large is, it is no profile: it is left alone.
  const bool too_large = fs::file_size(path_, error) > kMaxProfileBytes && !error;
  if (!too_large && profiles_.WriteStrings(Entries(), path_)) return std::nullopt;
  return "The profile \"" + path_ + "\" could not be saved: " + DescribeWriteFailure(path_) + ".";
}

std::string DescribeWriteFailure(const std::string& path) {
  std::error_code error;
  const fs::path file(path);
  const auto status = fs::status(file, error);
  if (error && error != std::errc::no_such_file_or_directory) return error.message();
  if (fs::is_directory(status)) return "it is a folder";
  if (fs::exists(status) && !fs::is_regular_file(status)) return "it is not a regular file";
  if (fs::exists(status)) {
    const std::string unreadable = DescribeReadFailure(path);
    if (unreadable != "it cannot be opened") return unreadable;
  }
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  if (!fs::is_directory(folder, error)) return "its folder does not exist";
  return "the file or its folder cannot be written, or the disk is full";
}

}  // namespace audio77
