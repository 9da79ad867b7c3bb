#include "settings/PrivateProfile.h"

#include <filesystem>
#include <string_view>

#include "platform/DebugFormat.h"
#include "settings/AtomicFile.h"
#include "settings/ProfileDocument.h"

namespace audio77 {
namespace {

std::string StripQuotes(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HoldsLineEnd(const std::optional<std::string>& text) {
  return text && text->find_first_of("\r\n") != std::string::npos;
}

}  // namespace

std::string PrivateProfile::GetString(const std::string& section, const std::string& key,
                                      const std::string& default_value, std::size_t buffer_chars,
                                      const std::string& path) {
  if (buffer_chars == 0) return {};
  std::optional<std::string> value;
  const AtomicFile::Content content = AtomicFile::Read(path);
  if (content.status == AtomicFile::ReadStatus::kRead) {
    value = ProfileDocument::Parse(content.bytes).Find(section, key);
  }
  return TruncateToUtf16Units(StripQuotes(value.value_or(default_value)), buffer_chars - 1);
}

bool PrivateProfile::WriteString(const std::string& section, const std::optional<std::string>& key,
                                 const std::optional<std::string>& value, const std::string& path) {
  if (HoldsLineEnd(section) || HoldsLineEnd(key) || HoldsLineEnd(value)) return false;
  return AtomicFile::Update(path, [&](const AtomicFile::Content& current) -> std::optional<std::string> {
    const bool exists = current.status == AtomicFile::ReadStatus::kRead;
    ProfileDocument document = exists ? ProfileDocument::Parse(current.bytes) : ProfileDocument();
    bool changed = false;
    if (!key) changed = document.DeleteSection(section);
    else if (!value) changed = document.DeleteKey(section, *key);
    else changed = document.SetValue(section, *key, *value);
    if (!changed) return std::nullopt;
    return document.Serialize();
  });
}

int ReadIniValue(const std::string& path, const std::string& section, const std::string& key, std::string& value) {
  value = PrivateProfile::GetString(section, key, "", kIniValueBufferChars, path);
  return 0;
}

int WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value) {
  PrivateProfile::WriteString(section, key, value, path);
  return 0;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace audio77
