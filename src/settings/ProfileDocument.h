#pragma once
// The text of one private-profile file, held so that a rewrite changes only
// the lines it has to: every line keeps its own bytes and the exact run of
// line-end characters after it. Lookups compare section and key names
// trimmed and without regard to case; the first match wins.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace audio77 {

class ProfileDocument {
 public:
  // UTF-16 files keep whether they had a byte-order mark.
  enum class Encoding { kUtf8, kUtf8Mark, kUtf16Le, kUtf16Be };

  // A new, empty file: UTF-8 without mark, CR LF line ends.
  ProfileDocument() = default;
  // Any bytes are accepted; what does not decode as UTF-8 reads as Latin-1.
  static ProfileDocument Parse(std::string_view bytes);
  std::string Serialize() const;

  // The value after the first "=", left-trimmed; nothing when the section or
  // the key is missing or the key's line has no "=".
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // Each returns whether the text changed.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value);
  bool DeleteKey(std::string_view section, std::string_view key);
  bool DeleteSection(std::string_view section);

  Encoding encoding() const { return encoding_; }
  // Section names in file order (the unnamed leading section is not listed).
  std::vector<std::string> SectionNames() const;

 private:
  struct Line {
    std::string raw;     // content bytes in the file's encoding
    std::string ending;  // the run of CR/LF bytes after it (may be empty)
    std::string text;    // content as UTF-8
  };
  struct Section {
    std::string name;  // trimmed
    std::size_t header;  // index of the header line, or npos for the unnamed section
    std::size_t begin;   // first line after the header
    std::size_t end;     // one past the section's last line
  };
  struct KeyLine {
    std::size_t index;
    std::string name;
    std::optional<std::string> value;
  };

  std::vector<Section> Sections() const;
  void Reindex();
  std::optional<Section> FindSection(std::string_view section) const;
  std::optional<KeyLine> FindKey(const Section& section, std::string_view key) const;
  std::size_t UnitSize() const;
  std::string Encode(std::string_view text) const;
  std::string EncodedLineEnd() const;
  std::size_t FirstLineEndLength(std::string_view ending) const;
  Line MakeLine(std::string text, std::string ending) const;
  void InsertAfter(std::size_t index, std::string text);
  void AppendSection(std::string_view section, std::string_view key, std::string_view value);
  void EraseLines(std::size_t begin, std::size_t end, bool keep_blank_lines);

  Encoding encoding_ = Encoding::kUtf8;
  std::string mark_;
  std::string line_end_ = "\r\n";  // the file's own style, as UTF-8
  std::string leading_;            // line ends before the first line
  std::vector<Line> lines_;
  std::string trailer_;  // an odd last byte of a UTF-16 file
  std::vector<Section> sections_;  // of lines_, rebuilt after every change
};

}  // namespace audio77
