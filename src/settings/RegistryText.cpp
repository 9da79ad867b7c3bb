#include "settings/RegistryText.h"

#include <cstdio>

#include "settings/HexText.h"
#include "settings/TextCodec.h"
#include "settings/TextTrim.h"

namespace audio77 {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

// Spaces and tabs around a line or value; a CR left by CR LF line ends goes too.
std::string_view Trim(std::string_view text) {
  return TrimRight(TrimLeft(text, std::string_view(" \t")), std::string_view(" \t\r"));
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string DecodeText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  const bool le = bytes.substr(0, 2) == "\xFF\xFE";
  const bool be = bytes.substr(0, 2) == "\xFE\xFF";
  if (!le && !be) return std::string(bytes);
  std::u16string wide;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    wide.push_back(static_cast<char16_t>(le ? (second << 8) | first : (first << 8) | second));
  }
  return TextCodec::Utf16ToUtf8(wide);
}

// Logical lines: physical lines joined where one ends in a backslash outside a string.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string pending;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trim(std::string_view(text).substr(start, end - start));
    start = end + 1;
    const bool continues = !line.empty() && line.back() == '\\' &&
                           (!pending.empty() || line.find("=hex") != std::string_view::npos);
    if (continues) {
      pending += line.substr(0, line.size() - 1);
      continue;
    }
    pending += line;
    lines.push_back(std::move(pending));
    pending.clear();
    if (end == text.size()) break;
  }
  if (!pending.empty()) lines.push_back(std::move(pending));
  return lines;
}

// A quoted string at text[pos] == '"' with \\ and \" escapes; pos ends after it.
std::optional<std::string> ReadQuoted(std::string_view text, std::size_t& pos) {
  std::string out;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\' && pos + 1 < text.size()) {
      out += text[++pos];
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadHexBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == ',' || text[pos] == '\t')) ++pos;
    if (pos == text.size()) break;
    if (pos + 1 >= text.size() && HexDigitValue(text[pos]) >= 0) return std::nullopt;
    const int high = HexDigitValue(text[pos]);
    const int low = pos + 1 < text.size() ? HexDigitValue(text[pos + 1]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    pos += 2;
  }
  return bytes;
}

std::optional<RegistryValue> ReadData(std::string_view data) {
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    auto text = ReadQuoted(data, pos);
    if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
    return RegistryValue{RegistryType::kString, std::vector<std::uint8_t>(text->begin(), text->end())};
  }
  if (data.substr(0, 6) == "dword:") {
    const std::string_view digits = data.substr(6);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
      const int digit = HexDigitValue(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return RegistryValue{RegistryType::kDword, {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
  }
  std::uint32_t type = static_cast<std::uint32_t>(RegistryType::kBinary);
  std::size_t colon = 0;
  if (data.substr(0, 4) == "hex:") {
    colon = 3;
  } else if (data.substr(0, 4) == "hex(") {
    const std::size_t close = data.find("):");
    if (close == std::string_view::npos || close == 4 || close > 12) return std::nullopt;
    type = 0;
    for (const char c : data.substr(4, close - 4)) {
      const int digit = HexDigitValue(c);
      if (digit < 0) return std::nullopt;
      type = type * 16 + static_cast<std::uint32_t>(digit);
    }
    colon = close + 1;
  } else {
    return std::nullopt;
  }
  auto bytes = ReadHexBytes(data.substr(colon + 1));
  if (!bytes) return std::nullopt;
  return RegistryValue{static_cast<RegistryType>(type), std::move(*bytes)};
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string FormatData(const RegistryValue& value) {
  char buffer[16];
  if (value.type == RegistryType::kString) {
    return Quote(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
  }
  if (value.type == RegistryType::kDword && value.data.size() == 4) {
    const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                 (static_cast<std::uint32_t>(value.data[3]) << 24);
    std::snprintf(buffer, sizeof buffer, "%08x", number);
    return "dword:" + std::string(buffer);
  }
  std::string out;
  if (value.type == RegistryType::kBinary) {
    out = "hex:";
  } else {
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value.type));
    out = "hex(" + std::string(buffer) + "):";
  }
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ",%02x", value.data[i]);
    out += buffer;
  }
  return out;
}

}  // namespace

bool RegistryText::SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

RegistryText RegistryText::Parse(std::string_view bytes) {
  RegistryText registry;
  Key* current = nullptr;
  for (const std::string& line : LogicalLines(DecodeText(bytes))) {
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      current = nullptr;
      if (line.back() != ']' || line.size() < 3 || line[1] == '-') continue;
      current = &registry.AddKey(std::string_view(line).substr(1, line.size() - 2));
      continue;
    }
    if (current == nullptr) continue;
    std::string name;
    std::size_t pos = 0;
    if (line.front() == '@') {
      pos = 1;
    } else if (line.front() == '"') {
      auto quoted = ReadQuoted(line, pos);
      if (!quoted) continue;
      name = std::move(*quoted);
    } else {
      continue;
    }
    const std::string_view rest = Trim(std::string_view(line).substr(pos));
    if (rest.empty() || rest.front() != '=') continue;
    if (auto value = ReadData(Trim(rest.substr(1)))) registry.SetValue(current->path, name, std::move(*value));
  }
  return registry;
}

std::string RegistryText::Serialize() const {
  std::string out = std::string(kHeader) + "\r\n";
  for (const auto& key : keys_) {
    out += "\r\n[" + key.path + "]\r\n";
    for (const auto& [name, value] : key.values) {
      out += (name.empty() ? std::string("@") : Quote(name)) + "=" + FormatData(value) + "\r\n";
    }
  }
  return out;
}

const RegistryText::Key* RegistryText::FindKey(std::string_view path) const {
  for (const auto& key : keys_) {
    if (SameName(key.path, path)) return &key;
  }
  return nullptr;
}

bool RegistryText::HasKey(std::string_view path) const {
  for (const auto& key : keys_) {
    if (key.path.size() < path.size() || !SameName(std::string_view(key.path).substr(0, path.size()), path)) continue;
    if (key.path.size() == path.size() || key.path[path.size()] == '\\') return true;
  }
  return false;
}

const RegistryValue* RegistryText::FindValue(std::string_view path, std::string_view name) const {
  const Key* key = FindKey(path);
  if (key == nullptr) return nullptr;
  for (const auto& named : key->values) {
    if (SameName(named.name, name)) return &named.value;
  }
  return nullptr;
}

std::vector<std::string> RegistryText::Subkeys(std::string_view path) const {
  std::vector<std::string> names;
  for (const auto& key : keys_) {
    if (key.path.size() <= path.size() + 1 || key.path[path.size()] != '\\' ||
        !SameName(std::string_view(key.path).substr(0, path.size()), path)) {
      continue;
    }
    std::string child = key.path.substr(path.size() + 1);
    child = child.substr(0, child.find('\\'));
    bool known = child.empty();
    for (const auto& name : names) known = known || SameName(name, child);
    if (!known) names.push_back(std::move(child));
  }
  return names;
}

RegistryText::Key& RegistryText::AddKey(std::string_view path) {
  for (auto& key : keys_) {
    if (SameName(key.path, path)) return key;
  }
  keys_.push_back({std::string(path), {}});
  return keys_.back();
}

void RegistryText::SetValue(std::string_view path, std::string_view name, RegistryValue value) {
  Key& key = AddKey(path);
  for (auto& named : key.values) {
    if (SameName(named.name, name)) {
      named.value = std::move(value);
      return;
    }
  }
  key.values.push_back({std::string(name), std::move(value)});
}

}  // namespace audio77
