#include "device/DeviceIdMgr.h"

#include <algorithm>
#include <array>
#include <optional>

#include "device/SignedText.h"
#include "settings/TextCodec.h"
#include "settings/TextTrim.h"

namespace audio77 {
namespace {

// A registry value is read into a buffer of 2048 bytes; a larger value
// cannot be read at all.
constexpr std::size_t kRegistryBufferBytes = 2048;
constexpr std::size_t kPlainCapacity = 4096;

std::u16string_view TrimSpaces(std::u16string_view text) { return Trim(text, std::u16string_view(u" ")); }

char16_t ToUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

std::u16string ToUpper(std::u16string_view text) {
  std::u16string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char16_t c) { return ToUpper(c); });
  return upper;
}

// A registry value as the text a wide query reads: strings as text, other
// types as their raw bytes taken two at a time; ends at the first NUL.
// The text as the wide-character registry hands it over: a string value with
// its terminator, any other value as its raw bytes. Nothing when it does not
// fit the buffer.
std::optional<std::u16string> RegistryText(const RegistryValue& value) {
  std::u16string text;
  std::size_t bytes = value.data.size();
  if (value.type == RegistryType::kString) {
    text = TextCodec::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
    bytes = (text.size() + 1) * sizeof(char16_t);
  } else {
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
      text.push_back(static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8)));
    }
  }
  if (bytes > kRegistryBufferBytes) return std::nullopt;
  // The text ends at its terminator: the terminator itself is no character of
  // the entry (counted in, it would spoil every signature).
  return text.substr(0, text.find(u'\0'));
}

}  // namespace

std::u16string CDeviceIdMgr::WidenBytes(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  for (char c : bytes) wide.push_back(static_cast<unsigned char>(c));
  return wide;
}

std::string CDeviceIdMgr::NarrowToBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t c : text) bytes.push_back(static_cast<char>(c & 0xFF));
  return bytes;
}

void CDeviceIdMgr::Clear() {
  entries_.clear();
  ids_.clear();
  outcomes_.clear();
}

int CDeviceIdMgr::LoadFromConfigFile(const std::u16string& section, const std::string& path) {
  if (ini_.LoadFile(path) != CIniMgr::kLoaded) return 1;
  Clear();
  if (!ini_.HasSection(section)) return 2;
  std::vector<std::u16string> names;
  ini_.GetValueNames(section, names);
  if (names.empty()) return 3;
  for (const auto& name : names) entries_.push_back(ini_.GetValue(section, name));
  return DecodeEntries() ? 0 : 4;
}

int CDeviceIdMgr::LoadFromRegistry(Registry& registry, const std::string& group) {
  const std::string key = "SOFTWARE\\" + group;
  bool created = false;
  const bool opened = registry.OpenOrCreateKey(key, &created);
  if (created) return 1;
  Clear();
  // A key that can be neither opened nor created leaves the list empty and says so.
  if (!opened) return 1;
  for (unsigned n = 1;; ++n) {
    const auto value = registry.QueryValue(key, std::to_string(n));
    if (!value) break;
    auto text = RegistryText(*value);
    if (!text) break;  // too large for the buffer: unreadable, the listing ends
    entries_.push_back(std::move(*text));
  }
  return DecodeEntries() ? 0 : 1;
}

bool CDeviceIdMgr::DecodeEntries() {
  outcomes_.assign(entries_.size(), EntryOutcome::kSkipped);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    bool stop = false;
    outcomes_[i] = DecodeEntry(entries_[i], stop);
    if (stop) return false;
  }
  return true;
}

CDeviceIdMgr::EntryOutcome CDeviceIdMgr::DecodeEntry(const std::u16string& entry, bool& stop) {
  const auto comma = entry.find(u',');
  if (comma == std::u16string::npos) return EntryOutcome::kSkipped;
  const auto pattern = TrimSpaces(std::u16string_view(entry).substr(0, comma));
  const auto signature = TrimSpaces(std::u16string_view(entry).substr(comma + 1));
  if (pattern.empty() || signature.empty()) {
    stop = true;
    return EntryOutcome::kDropped;
  }
  std::array<std::uint8_t, kPlainCapacity> plain{};
  std::size_t length = 0;
  if (SignedText::DecodeSignedText(NarrowToBytes(signature), plain, length) != 0) {
    return EntryOutcome::kDropped;
  }
  const std::string_view decrypted(reinterpret_cast<const char*>(plain.data()), length);
  if (WidenBytes(decrypted) != pattern) return EntryOutcome::kDropped;
  ids_.emplace(std::u16string(pattern), std::u16string(signature));
  return EntryOutcome::kAccepted;
}

bool CDeviceIdMgr::IsListedHardwareId(std::u16string_view hardware_id) const {
  const std::u16string candidate = ToUpper(hardware_id);
  for (const auto& [listed, signature] : ids_) {
    if (listed.size() != candidate.size()) continue;
    const std::u16string pattern = ToUpper(listed);
    std::u16string masked = candidate;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      if (pattern[i] == u'X') masked[i] = u'X';
    }
    if (masked == pattern) return true;
  }
  return false;
}

bool CDeviceIdMgr::IsListedHardwareId(std::string_view hardware_id) const {
  return IsListedHardwareId(WidenBytes(hardware_id));
}

}  // namespace audio77
