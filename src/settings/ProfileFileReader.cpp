#include "settings/ProfileFileReader.h"

#include <filesystem>

#include "settings/IntegerText.h"

namespace audio77 {

ProfileFileReader::ProfileFileReader(PrivateProfile& profiles, std::string path) : path_(std::move(path)) {
  std::error_code error;
  if (std::filesystem::file_size(path_, error) > kMaxProfileBytes && !error) {
    status_ = AtomicFile::ReadStatus::kFailed;
    return;
  }
  auto loaded = profiles.Load(path_);
  status_ = loaded.status;
  document_ = std::move(loaded.document);
}

std::string ProfileFileReader::Problem() const {
  if (status_ != AtomicFile::ReadStatus::kFailed) return {};
  return "The profile \"" + path_ + "\" cannot be read: " + DescribeReadFailure(path_) + ".";
}

std::string ProfileFileReader::Text(const std::string& section, const std::string& key) {
  last_section_ = section;
  last_key_ = key;
  if (!document_) return {};
  return PrivateProfile::Value(*document_, section, key, kIniValueBufferChars).value_or("");
}

std::int32_t ProfileFileReader::Strict(const std::string& section, const std::string& key) {
  return StrToInt(Text(section, key));
}

std::int32_t ProfileFileReader::ZeroWhenEmpty(const std::string& section, const std::string& key) {
  return StrToIntDef(Text(section, key), 0);
}

std::optional<std::int32_t> ProfileFileReader::WhenPresent(const std::string& section, const std::string& key) {
  const std::string text = Text(section, key);
  if (text.empty()) return std::nullopt;
  return StrToInt(text);
}

std::string ProfileFileReader::LastKey() const {
  return "\"" + last_key_ + "\" in section \"" + last_section_ + "\"";
}

std::string DescribeReadFailure(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const auto status = fs::status(path, error);
  if (error) return error.message();
  if (fs::is_directory(status)) return "it is a folder";
  if (!fs::is_regular_file(status)) return "it is not a regular file";
  if (fs::file_size(path, error) > kMaxProfileBytes && !error) {
    return "it is larger than " + std::to_string(kMaxProfileBytes >> 20) + " MB, too large for a profile";
  }
  return "it cannot be opened";
}

}  // namespace audio77
