#include "settings/Inifilemanager.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string_view>

#include "settings/TextCodec.h"
#include "settings/TextTrim.h"

namespace audio77 {
namespace {

using Bytes = std::string_view;

unsigned Byte(Bytes data, std::size_t i) { return static_cast<unsigned char>(data[i]); }

bool StartsWith(Bytes data, std::initializer_list<unsigned> mark) {
  std::size_t i = 0;
  for (const unsigned byte : mark) {
    if (Byte(data, i++) != byte) return false;
  }
  return true;
}

// The encoding code and the length of its mark.
std::pair<int, std::size_t> DetectEncoding(Bytes data) {
  if (data.size() > 3) {
    if (StartsWith(data, {0xFF, 0xFE, 0x00, 0x00})) return {CIniMgr::kEncodingUtf32Le, 4};
    if (StartsWith(data, {0x00, 0x00, 0xFE, 0xFF})) return {CIniMgr::kEncodingUtf32Be, 4};
  }
  if (data.size() > 2 && StartsWith(data, {0xEF, 0xBB, 0xBF})) return {CIniMgr::kEncodingUtf8, 3};
  if (data.size() > 1) {
    if (StartsWith(data, {0xFF, 0xFE})) return {CIniMgr::kEncodingUtf16Le, 2};
    if (StartsWith(data, {0xFE, 0xFF})) return {CIniMgr::kEncodingUtf16Be, 2};
  }
  return {CIniMgr::kEncodingAnsi, 0};
}

std::u16string WidenBytes(Bytes data) {
  std::u16string text;
  text.reserve(data.size());
  for (std::size_t i = 0; i < data.size(); ++i) text.push_back(static_cast<char16_t>(Byte(data, i)));
  return text;
}

std::size_t Utf8SequenceLength(unsigned lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC0 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF7) return 4;
  if (lead >= 0xF8 && lead <= 0xFB) return 5;
  if (lead >= 0xFC && lead <= 0xFD) return 6;
  return 0;
}

// Overlong forms pass; anything beyond one code unit fails, as do stray,
// missing or cut-off continuation bytes.
std::optional<std::u16string> DecodeUtf8(Bytes data) {
  std::u16string text;
  text.reserve(data.size());
  std::size_t pos = 0;
  while (pos < data.size()) {
    const unsigned lead = Byte(data, pos);
    const std::size_t length = Utf8SequenceLength(lead);
    if (length == 0 || pos + length > data.size()) return std::nullopt;
    char32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const unsigned next = Byte(data, pos + i);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      value = (value << 6) | (next & 0x3F);
    }
    if (value > 0xFFFF) return std::nullopt;
    text.push_back(static_cast<char16_t>(value));
    pos += length;
  }
  return text;
}

// A trailing odd byte has no partner and is ignored.
std::u16string DecodeUtf16(Bytes data, bool big_endian) {
  std::u16string text;
  text.reserve(data.size() / 2);
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const unsigned first = Byte(data, i);
    const unsigned second = Byte(data, i + 1);
    text.push_back(static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first));
  }
  return text;
}

std::optional<std::u16string> DecodeUtf32(Bytes data, bool big_endian) {
  if (data.size() % 4 != 0) return std::nullopt;
  std::u16string text;
  text.reserve(data.size() / 4);
  for (std::size_t i = 0; i < data.size(); i += 4) {
    std::uint32_t unit = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::size_t index = big_endian ? i + k : i + 3 - k;
      unit = (unit << 8) | Byte(data, index);
    }
    if (unit > 0xFFFF) return std::nullopt;
    text.push_back(static_cast<char16_t>(unit));
  }
  return text;
}

std::optional<std::u16string> Decode(Bytes data, int encoding) {
  switch (encoding) {
    case CIniMgr::kEncodingUtf8: return DecodeUtf8(data);
    case CIniMgr::kEncodingUtf16Le: return DecodeUtf16(data, false);
    case CIniMgr::kEncodingUtf16Be: return DecodeUtf16(data, true);
    case CIniMgr::kEncodingUtf32Le: return DecodeUtf32(data, false);
    case CIniMgr::kEncodingUtf32Be: return DecodeUtf32(data, true);
    default: return WidenBytes(data);
  }
}

std::u16string_view Trim(std::u16string_view text, char16_t c) { return audio77::Trim(text, std::u16string_view(&c, 1)); }

// Pieces between runs of LF, each trimmed of spaces, then of CR.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) lines.emplace_back(Trim(Trim(text.substr(start, end - start), u' '), u'\r'));
    start = end + 1;
  }
  return lines;
}

bool IsHeader(std::u16string_view line) {
  return line.size() >= 2 && line.front() == u'[' && line.back() == u']';
}

bool IsSkipped(std::u16string_view line) { return line.empty() || line.front() == u';'; }

void ParseSection(CIniSectionDefine& define) {
  for (const auto& raw : define.lines) {
    const std::u16string_view line = Trim(Trim(Trim(raw, u' '), u'\r'), u'\n');
    if (IsSkipped(line)) continue;
    if (IsHeader(line)) {
      define.section.name = std::u16string(line.substr(1, line.size() - 2));
      continue;
    }
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos || equals == 0) continue;
    define.section.values.push_back(
        {std::u16string(line.substr(0, equals)), std::u16string(line.substr(equals + 1))});
  }
}

}  // namespace

int CIniMgr::LoadFile(const std::u16string& path) { return LoadFile(TextCodec::Utf16ToUtf8(path)); }

int CIniMgr::LoadFile(const std::string& path) {
  path_ = path;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return kCannotOpen;
  std::ifstream file(path, std::ios::binary);
  if (!file) return kCannotOpen;
  if (!file.seekg(0, std::ios::end)) return kNoLength;
  const std::streamoff length = file.tellg();
  if (length < 0 || !file.seekg(0, std::ios::beg)) return kNoLength;
  std::string buffer;
  try {
    buffer.resize(static_cast<std::size_t>(length));
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  } catch (const std::length_error&) {
    return kNoMemory;
  }
  if (!file.read(buffer.data(), length)) return kReadFailed;
  return LoadBytes(buffer);
}

int CIniMgr::LoadBytes(const std::string& bytes) {
  Clear();
  const auto [encoding, mark_length] = DetectEncoding(bytes);
  encoding_ = encoding;
  const auto text = Decode(std::string_view(bytes).substr(mark_length), encoding);
  if (!text) return kCannotDecode;
  lines_ = SplitLines(*text);
  return GroupSections();
}

int CIniMgr::GroupSections() {
  CIniSectionDefine* current = nullptr;
  try {
    for (const auto& line : lines_) {
      if (IsSkipped(line)) continue;
      if (IsHeader(line)) {
        auto define = std::make_unique<CIniSectionDefine>();
        define->name = line.substr(1, line.size() - 2);
        define->lines.push_back(line);
        current = define.get();
        sections_.push_back(std::move(define));
      } else if (current != nullptr) {
        current->lines.push_back(line);
      }
    }
  } catch (const std::bad_alloc&) {
    return kNoSectionRecord;
  }
  for (auto& define : sections_) ParseSection(*define);
  return kLoaded;
}

const CIniSectionDefine* CIniMgr::FindSection(const std::u16string& section) const {
  for (const auto& define : sections_) {
    if (define->name == section) return define.get();
  }
  return nullptr;
}

bool CIniMgr::HasSection(const std::u16string& section) const { return FindSection(section) != nullptr; }

void CIniMgr::GetValueNames(const std::u16string& section, std::vector<std::u16string>& names) const {
  const CIniSectionDefine* define = FindSection(section);
  if (define == nullptr) return;
  names.clear();
  for (const auto& pair : define->section.values) names.push_back(pair.name);
}

std::u16string CIniMgr::GetValue(const std::u16string& section, const std::u16string& name) const {
  if (name.empty()) return {};
  const CIniSectionDefine* define = FindSection(section);
  if (define == nullptr) return {};
  for (const auto& pair : define->section.values) {
    if (pair.name == name) return pair.value;
  }
  return {};
}

void CIniMgr::Clear() {
  lines_.clear();
  sections_.clear();
}

}  // namespace audio77
