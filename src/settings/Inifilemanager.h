#pragma once
// CIniMgr: a read-only reader of INI text whose encoding is told by its
// byte-order mark. It holds the whole file as decoded lines grouped into
// sections and answers lookups by exact (case-sensitive) names; a section that
// occurs twice gives two records, and lookups see the first.

#include <memory>
#include <string>
#include <vector>

namespace audio77 {

// One name/value pair, exactly as it stood on either side of the line's first "=".
struct VALUE_NAME_DEFINE {
  std::u16string name;
  std::u16string value;
};

class CIniSection {
 public:
  std::u16string name;
  std::vector<VALUE_NAME_DEFINE> values;  // file order, duplicates included
};

class CIniSectionDefine {
 public:
  std::u16string name;                // between "[" and "]", not trimmed
  CIniSection section;                // parsed from lines
  std::vector<std::u16string> lines;  // header, then each non-empty, non-comment line
};

class CIniMgr {
 public:
  // Encodings, as the byte-order mark tells them.
  static constexpr int kEncodingAnsi = 0;
  static constexpr int kEncodingUtf8 = 1;
  static constexpr int kEncodingUtf16Le = 2;
  static constexpr int kEncodingUtf16Be = 3;
  static constexpr int kEncodingUtf32Le = 4;
  static constexpr int kEncodingUtf32Be = 5;

  // Results of LoadFile.
  static constexpr int kLoaded = 0;
  static constexpr int kCannotOpen = 1;
  static constexpr int kNoLength = 2;
  static constexpr int kNoMemory = 3;
  static constexpr int kReadFailed = 4;
  static constexpr int kCannotDecode = 5;
  static constexpr int kNoSectionRecord = 6;

  CIniMgr() = default;
  CIniMgr(const CIniMgr&) = delete;
  CIniMgr& operator=(const CIniMgr&) = delete;

  // path is UTF-8. Replaces earlier content only once the file was read whole.
  int LoadFile(const std::string& path);
  int LoadFile(const std::u16string& path);
  bool HasSection(const std::u16string& section) const;
  // Leaves names untouched when there is no such section.
  void GetValueNames(const std::u16string& section, std::vector<std::u16string>& names) const;
  std::u16string GetValue(const std::u16string& section, const std::u16string& name) const;
  void Clear();

  int Encoding() const { return encoding_; }
  const std::string& Path() const { return path_; }
  const std::vector<std::u16string>& Lines() const { return lines_; }
  const std::vector<std::unique_ptr<CIniSectionDefine>>& Sections() const { return sections_; }

  // Decodes file bytes (mark included) as LoadFile does; result 0 or kCannotDecode.
  int LoadBytes(const std::string& bytes);

 private:
  const CIniSectionDefine* FindSection(const std::u16string& section) const;
  int GroupSections();

  int encoding_ = kEncodingAnsi;
  std::string path_;
  std::vector<std::u16string> lines_;
  std::vector<std::unique_ptr<CIniSectionDefine>> sections_;
};

}  // namespace audio77
