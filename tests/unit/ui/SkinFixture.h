#pragma once
// Small skin folders written by the tests: settings files, header-only bitmaps
// (the headless picture loader reads sizes only) and region files.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "toolkit/Geometry.h"

namespace audio77::ui::test {

inline void Put32(std::string& bytes, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((v >> shift) & 0xFF);
}

// A bitmap header of the given size, 54 bytes, no pixels.
inline std::string BitmapOfSize(int width, int height) {
  std::string bytes = "BM";
  Put32(bytes, 54);
  Put32(bytes, 0);
  Put32(bytes, 54);
  Put32(bytes, 40);
  Put32(bytes, width);
  Put32(bytes, height);
  bytes.append(54 - bytes.size(), '\0');
  return bytes;
}

// Region data: header (size 32, type, count, data size, bounds) and rectangles
// given as left, top, right, bottom.
inline std::string RegionBytes(const std::vector<toolkit::Rect>& edges, std::int32_t type = 1,
                               std::optional<std::int32_t> count = {}, toolkit::Rect bounds = {}) {
  std::string bytes;
  Put32(bytes, 32);
  Put32(bytes, type);
  Put32(bytes, count.value_or(static_cast<std::int32_t>(edges.size())));
  Put32(bytes, static_cast<std::int32_t>(edges.size() * 16));
  Put32(bytes, bounds.left);
  Put32(bytes, bounds.top);
  Put32(bytes, bounds.width);   // right edge
  Put32(bytes, bounds.height);  // bottom edge
  for (const auto& e : edges) {
    Put32(bytes, e.left);
    Put32(bytes, e.top);
    Put32(bytes, e.width);
    Put32(bytes, e.height);
  }
  return bytes;
}

// "[Section]\nkey=value\n..." from (section, key, value) rows in order.
struct IniRow {
  std::string section;
  std::string key;
  std::string value;
};
inline std::string IniText(const std::vector<IniRow>& rows) {
  // One section header per section (a reader takes only the first of equal ones).
  std::vector<std::string> sections;
  for (const auto& row : rows) {
    if (std::find(sections.begin(), sections.end(), row.section) == sections.end())
      sections.push_back(row.section);
  }
  std::string text;
  for (const auto& section : sections) {
    text += "[" + section + "]\n";
    for (const auto& row : rows) {
      if (row.section == section) text += row.key + "=" + row.value + "\n";
    }
  }
  return text;
}

// The keys a settings file must hold for a load to succeed.
inline std::vector<IniRow> WithRequired(std::vector<IniRow> rows) {
  rows.push_back({"EQ", "EQSlider", "100,120"});
  rows.push_back({"Mic", "MicSlider", "80,100"});
  rows.push_back({"Mic", "MicProgressLength", "150"});
  rows.push_back({"Virtual7ch1", "VirtualCenter", "200,150,90"});
  return rows;
}

}  // namespace audio77::ui::test
