#include "settings/PrivateProfile.h"

#include <filesystem>
#include <string_view>

#include "platform/DebugFormat.h"
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
  if (const auto document = cache_.Load(path)) value = document->Find(section, key);
  return TruncateToUtf16Units(StripQuotes(value.value_or(default_value)), buffer_chars - 1);
}

std::optional<std::string> PrivateProfile::Find(const std::string& section, const std::string& key,
                                                std::size_t buffer_chars, const std::string& path) {
  const auto document = cache_.Load(path);
  if (!document) return std::nullopt;
  return Value(*document, section, key, buffer_chars);
}

std::optional<std::string> PrivateProfile::Value(const ProfileDocument& document, const std::string& section,
                                                 const std::string& key, std::size_t buffer_chars) {
  auto value = document.Find(section, key);
  if (!value) return std::nullopt;
  return buffer_chars == 0 ? std::string() : TruncateToUtf16Units(StripQuotes(*value), buffer_chars - 1);
}

PrivateProfile::Loaded PrivateProfile::Load(const std::string& path) {
  AtomicFile::Content content = AtomicFile::Read(path);
  const AtomicFile::ReadStatus status = content.status;
  if (status != AtomicFile::ReadStatus::kRead) return {status, nullptr};
  return {status, cache_.Load(path, std::move(content))};
}

bool PrivateProfile::WriteString(const std::string& section, const std::optional<std::string>& key,
                                 const std::optional<std::string>& value, const std::string& path) {
  if (HoldsLineEnd(section) || HoldsLineEnd(key) || HoldsLineEnd(value)) return false;
  // A key without a name could never be read back: every write would add a line.
  if (key && key->find_first_not_of(" \t") == std::string::npos) return false;
  return files_.Update(path, [&](const AtomicFile::Content& current) -> std::optional<std::string> {
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

bool PrivateProfile::WriteStrings(const std::vector<IniEntry>& entries, const std::string& path) {
  for (const auto& entry : entries) {
    if (HoldsLineEnd(entry.section) || HoldsLineEnd(entry.key) || HoldsLineEnd(entry.value)) return false;
    if (entry.key.find_first_not_of(" \t") == std::string::npos) return false;
  }
  return files_.Update(path, [&](const AtomicFile::Content& current) -> std::optional<std::string> {
    const bool exists = current.status == AtomicFile::ReadStatus::kRead;
    ProfileDocument document = exists ? ProfileDocument::Parse(current.bytes) : ProfileDocument();
    bool changed = false;
    for (const auto& entry : entries) changed = document.SetValue(entry.section, entry.key, entry.value) || changed;
    if (!changed) return std::nullopt;
    return document.Serialize();
  });
}

int ReadIniValue(PrivateProfile& profiles, const std::string& path, const std::string& section,
                 const std::string& key, std::string& value) {
  value = profiles.GetString(section, key, "", kIniValueBufferChars, path);
  return 0;
}

int WriteIniValue(PrivateProfile& profiles, const std::string& path, const std::string& section,
                  const std::string& key, const std::string& value) {
  profiles.WriteString(section, key, value, path);
  return 0;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace audio77
