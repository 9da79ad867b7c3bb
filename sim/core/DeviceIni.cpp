#include "sim/core/DeviceIni.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace audio77::sim {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string LineError(int line, const std::string& what) {
  return "device.ini line " + std::to_string(line) + ": " + what;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  // Written beside the file and renamed over it, so a reader never sees half a file.
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) out << line << '\n';
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

std::optional<std::string> SectionHeader(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') return std::nullopt;
  return Trim(trimmed.substr(1, trimmed.size() - 2));
}

}  // namespace

std::optional<long> ParseNumber(const std::string& text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const bool hex = trimmed.size() > 2 && trimmed[0] == '0' && (trimmed[1] == 'x' || trimmed[1] == 'X');
  const long value = std::strtol(trimmed.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || end == nullptr || *end != '\0') return std::nullopt;
  return value;
}

std::optional<DeviceIni> DeviceIni::Parse(const std::string& text, std::string& error) {
  DeviceIni ini;
  std::istringstream in(text);
  std::string current;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed[0] == '[') {
      const auto name = SectionHeader(trimmed);
      if (!name || name->empty()) {
        error = LineError(number, "a section header must read [Name]");
        return std::nullopt;
      }
      current = *name;
      continue;
    }
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos || equals == 0) {
      error = LineError(number, "expected key=value, found \"" + trimmed + "\"");
      return std::nullopt;
    }
    if (current.empty()) {
      error = LineError(number, "key=value before the first [section]");
      return std::nullopt;
    }
    ini.sections_[current].push_back(
        {Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1)), number});
  }
  return ini;
}

const std::vector<DeviceIni::Entry>& DeviceIni::Section(const std::string& name) const {
  static const std::vector<Entry> kNone;
  for (const auto& [section, entries] : sections_) {
    if (SameName(section, name)) return entries;
  }
  return kNone;
}

bool DeviceIni::Update(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
  auto lines = ReadLines(path);
  const std::string assignment = key + "=" + value;
  bool inside = false;
  std::size_t insert_at = lines.size();
  bool section_found = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto header = SectionHeader(lines[i])) {
      if (inside) break;
      inside = SameName(*header, section);
      if (inside) {
        section_found = true;
        insert_at = i + 1;
      }
      continue;
    }
    if (!inside) continue;
    const std::string trimmed = Trim(lines[i]);
    if (!trimmed.empty() && trimmed[0] != ';' && trimmed[0] != '#') insert_at = i + 1;
    const auto equals = trimmed.find('=');
    if (equals != std::string::npos && SameName(Trim(trimmed.substr(0, equals)), key)) {
      lines[i] = assignment;
      return WriteLines(path, lines);
    }
  }
  if (!section_found) {
    lines.push_back("[" + section + "]");
    insert_at = lines.size();
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at), assignment);
  return WriteLines(path, lines);
}

bool DeviceIni::RemoveSection(const std::string& path, const std::string& section) {
  const auto lines = ReadLines(path);
  if (lines.empty()) return true;
  std::vector<std::string> kept;
  bool inside = false;
  for (const auto& line : lines) {
    if (const auto header = SectionHeader(line)) inside = SameName(*header, section);
    if (!inside) kept.push_back(line);
  }
  return WriteLines(path, kept);
}

}  // namespace audio77::sim
