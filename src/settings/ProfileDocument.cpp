#include "settings/ProfileDocument.h"

#include <algorithm>

#include "settings/TextCodec.h"
#include "settings/TextTrim.h"

namespace audio77 {
namespace {

constexpr std::size_t npos = std::string::npos;

bool IsLineEnd(char32_t unit) { return unit == '\r' || unit == '\n'; }

std::string_view TrimLeft(std::string_view text) { return audio77::TrimLeft(text, kBlanks); }
std::string_view TrimRight(std::string_view text) { return audio77::TrimRight(text, kBlanks); }
std::string_view Trim(std::string_view text) { return audio77::Trim(text, kBlanks); }

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;  // Latin-1 capitals
  return c;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  // Case folding keeps ASCII and the rest apart: a name with a character
  // beyond ASCII never equals one without, and an ASCII name only equals one
  // of its own length. Readers ask for short ASCII keys, line after line of a
  // file that may hold any text: looking at the shorter name first tells most
  // lines apart without scanning or widening them.
  const std::string_view shorter = a.size() <= b.size() ? a : b;
  const std::string_view longer = a.size() <= b.size() ? b : a;
  if (IsAscii(shorter)) {
    if (a.size() != b.size() || !IsAscii(longer)) return false;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return FoldCase(static_cast<char16_t>(x)) == FoldCase(static_cast<char16_t>(y));
    });
  }
  if (IsAscii(longer)) return false;
  const std::u16string wide_a = TextCodec::Utf8ToUtf16(a);
  const std::u16string wide_b = TextCodec::Utf8ToUtf16(b);
  return std::equal(wide_a.begin(), wide_a.end(), wide_b.begin(), wide_b.end(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

bool IsHeaderText(std::string_view text) {
  text = TrimLeft(text);
  return !text.empty() && text.front() == '[';
}

std::string HeaderName(std::string_view text) {
  text = Trim(text).substr(1);
  const std::size_t close = text.rfind(']');
  if (close != npos) text = text.substr(0, close);
  return std::string(Trim(text));
}

// What a reader sees of bytes that may not be UTF-8: valid sequences stay,
// other bytes become the Latin-1 character of the same value.
std::string RepairUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  return TextCodec::Utf16ToUtf8(TextCodec::Utf8ToUtf16(bytes));
}

// Text saved as UTF-16 without a byte-order mark (some editors do): the
// first two characters are ASCII with a zero high byte. Text in any 8-bit
// encoding never holds a zero byte, so nothing else looks like this.
bool LooksLikeUtf16(std::string_view bytes, bool big_endian) {
  if (bytes.size() < 4) return false;
  const std::size_t low = big_endian ? 1 : 0;
  const std::size_t high = 1 - low;
  auto ascii_unit = [&](std::size_t at) {
    const auto byte = static_cast<unsigned char>(bytes[at + low]);
    return bytes[at + high] == '\0' && byte != 0 && byte < 0x80;
  };
  return ascii_unit(0) && ascii_unit(2);
}

}  // namespace

std::size_t ProfileDocument::UnitSize() const {
  return encoding_ == Encoding::kUtf16Le || encoding_ == Encoding::kUtf16Be ? 2 : 1;
}

ProfileDocument ProfileDocument::Parse(std::string_view bytes) {
  ProfileDocument document;
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xEF\xBB\xBF")) {
    document.encoding_ = Encoding::kUtf8Mark, document.mark_ = "\xEF\xBB\xBF";
  } else if (starts("\xFF\xFE")) {
    document.encoding_ = Encoding::kUtf16Le, document.mark_ = "\xFF\xFE";
  } else if (starts("\xFE\xFF")) {
    document.encoding_ = Encoding::kUtf16Be, document.mark_ = "\xFE\xFF";
  } else if (LooksLikeUtf16(bytes, false)) {
    document.encoding_ = Encoding::kUtf16Le;
  } else if (LooksLikeUtf16(bytes, true)) {
    document.encoding_ = Encoding::kUtf16Be;
  }
  std::string_view body = bytes.substr(document.mark_.size());
  const std::size_t unit_size = document.UnitSize();
  if (body.size() % unit_size != 0) {
    document.trailer_ = std::string(body.substr(body.size() - 1));
    body.remove_suffix(1);
  }
  const bool big_endian = document.encoding_ == Encoding::kUtf16Be;
  auto unit = [&](std::size_t i) -> char32_t {
    if (unit_size == 1) return static_cast<unsigned char>(body[i]);
    const unsigned first = static_cast<unsigned char>(body[2 * i]);
    const unsigned second = static_cast<unsigned char>(body[2 * i + 1]);
    return big_endian ? (first << 8) | second : (second << 8) | first;
  };
  auto decode = [&](std::size_t begin, std::size_t end) {
    if (unit_size == 1) return RepairUtf8(body.substr(begin, end - begin));
    std::u16string wide;
    for (std::size_t i = begin; i < end; ++i) wide.push_back(static_cast<char16_t>(unit(i)));
    return TextCodec::Utf16ToUtf8(wide);
  };
  const std::size_t count = body.size() / unit_size;
  std::size_t i = 0;
  while (i < count && IsLineEnd(unit(i))) ++i;
  document.leading_ = std::string(body.substr(0, i * unit_size));
  bool style_known = false;
  auto learn_style = [&](std::size_t at) {
    if (style_known || at >= count) return;
    style_known = true;
    if (unit(at) == '\n') document.line_end_ = "\n";
    else if (at + 1 < count && unit(at + 1) == '\n') document.line_end_ = "\r\n";
    else document.line_end_ = "\r";
  };
  if (i > 0) learn_style(0);
  while (i < count) {
    const std::size_t start = i;
    while (i < count && !IsLineEnd(unit(i))) ++i;
    const std::size_t content_end = i;
    learn_style(i);
    while (i < count && IsLineEnd(unit(i))) ++i;
    document.lines_.push_back({std::string(body.substr(start * unit_size, (content_end - start) * unit_size)),
                               std::string(body.substr(content_end * unit_size, (i - content_end) * unit_size)),
                               decode(start, content_end)});
  }
  document.Reindex();
  return document;
}

std::string ProfileDocument::Serialize() const {
  std::string bytes = mark_ + leading_;
  for (const auto& line : lines_) bytes += line.raw + line.ending;
  return bytes + trailer_;
}

std::string ProfileDocument::Encode(std::string_view text) const {
  if (UnitSize() == 1) return std::string(text);
  std::string bytes;
  for (const char16_t unit : TextCodec::Utf8ToUtf16(text)) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    if (encoding_ == Encoding::kUtf16Be) bytes += {high, low};
    else bytes += {low, high};
  }
  return bytes;
}

std::string ProfileDocument::EncodedLineEnd() const { return Encode(line_end_); }

std::size_t ProfileDocument::FirstLineEndLength(std::string_view ending) const {
  const std::string crlf = Encode("\r\n");
  if (ending.substr(0, crlf.size()) == crlf) return crlf.size();
  return std::min(ending.size(), UnitSize());
}

ProfileDocument::Line ProfileDocument::MakeLine(std::string text, std::string ending) const {
  return {Encode(text), std::move(ending), std::move(text)};
}

void ProfileDocument::Reindex() { sections_ = Sections(); }

std::vector<ProfileDocument::Section> ProfileDocument::Sections() const {
  std::vector<Section> sections;
  std::size_t first_header = 0;
  while (first_header < lines_.size() && !IsHeaderText(lines_[first_header].text)) ++first_header;
  if (first_header > 0) sections.push_back({"", npos, 0, first_header});
  for (std::size_t i = first_header; i < lines_.size();) {
    Section section{HeaderName(lines_[i].text), i, i + 1, i + 1};
    while (section.end < lines_.size() && !IsHeaderText(lines_[section.end].text)) ++section.end;
    i = section.end;
    sections.push_back(std::move(section));
  }
  return sections;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& section : sections_) {
    if (section.header != npos) names.push_back(section.name);
  }
  return names;
}

std::optional<ProfileDocument::Section> ProfileDocument::FindSection(std::string_view section) const {
  for (const auto& candidate : sections_) {
    if (SameName(candidate.name, section)) return candidate;
  }
  return std::nullopt;
}

std::optional<ProfileDocument::KeyLine> ProfileDocument::FindKey(const Section& section,
                                                                  std::string_view key) const {
  // A line that starts with "=" has no name: no key name finds it.
  if (Trim(key).empty()) return std::nullopt;
  for (std::size_t i = section.begin; i < section.end; ++i) {
    const std::string_view text = Trim(lines_[i].text);
    if (text.empty()) continue;
    const std::size_t equals = text.find('=');
    const std::string_view name = TrimRight(text.substr(0, equals));
    if (!SameName(name, key)) continue;
    if (equals == npos) return KeyLine{i, std::string(name), std::nullopt};
    return KeyLine{i, std::string(name), std::string(TrimLeft(text.substr(equals + 1)))};
  }
  return std::nullopt;
}

std::optional<std::string> ProfileDocument::Find(std::string_view section, std::string_view key) const {
  const auto found_section = FindSection(section);
  if (!found_section) return std::nullopt;
  const auto found_key = FindKey(*found_section, key);
  if (!found_key) return std::nullopt;
  return found_key->value;
}

bool ProfileDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  value = TrimLeft(value);
  const auto found_section = FindSection(section);
  if (!found_section) {
    AppendSection(section, key, value);
    Reindex();
    return true;
  }
  const std::string pair_text = std::string(Trim(key)) + "=" + std::string(value);
  if (const auto found_key = FindKey(*found_section, key)) {
    if (found_key->value == value) return false;
    Line& line = lines_[found_key->index];
    line = MakeLine(found_key->name + "=" + std::string(value), line.ending);
    Reindex();
    return true;
  }
  std::size_t last = found_section->header;
  for (std::size_t i = found_section->begin; i < found_section->end; ++i) {
    if (!Trim(lines_[i].text).empty()) last = i;
  }
  InsertAfter(last, pair_text);
  Reindex();
  return true;
}

// The line before keeps one line end; the new line takes over the rest of the
// run, so blank lines that followed stay after it.
void ProfileDocument::InsertAfter(std::size_t index, std::string text) {
  if (index == npos) {
    lines_.insert(lines_.begin(), MakeLine(std::move(text), EncodedLineEnd()));
    return;
  }
  Line& before = lines_[index];
  std::string ending = before.ending;
  if (ending.empty()) {
    before.ending = EncodedLineEnd();
  } else {
    before.ending = ending.substr(0, FirstLineEndLength(ending));
  }
  if (ending.empty()) ending = EncodedLineEnd();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index) + 1, MakeLine(std::move(text), ending));
}

void ProfileDocument::AppendSection(std::string_view section, std::string_view key, std::string_view value) {
  if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = EncodedLineEnd();
  lines_.push_back(MakeLine("[" + std::string(Trim(section)) + "]", EncodedLineEnd()));
  lines_.push_back(MakeLine(std::string(Trim(key)) + "=" + std::string(value), EncodedLineEnd()));
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
  const auto found_section = FindSection(section);
  if (!found_section) return false;
  const auto found_key = FindKey(*found_section, key);
  if (!found_key) return false;
  EraseLines(found_key->index, found_key->index + 1, true);
  Reindex();
  return true;
}

bool ProfileDocument::DeleteSection(std::string_view section) {
  const auto found = FindSection(section);
  if (!found) return false;
  const std::size_t begin = found->header == npos ? found->begin : found->header;
  EraseLines(begin, found->end, false);
  Reindex();
  return true;
}

// Removes lines [begin, end). With keep_blank_lines, the blank lines that
// followed the last removed line stay where they were.
void ProfileDocument::EraseLines(std::size_t begin, std::size_t end, bool keep_blank_lines) {
  std::string rest;
  if (keep_blank_lines) {
    const std::string& ending = lines_[end - 1].ending;
    rest = ending.substr(FirstLineEndLength(ending));
  }
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(begin), lines_.begin() + static_cast<std::ptrdiff_t>(end));
  if (begin == 0) leading_ += rest;
  else lines_[begin - 1].ending += rest;
}

}  // namespace audio77
