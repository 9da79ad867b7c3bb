#include "settings/CommaList.h"

#include <vector>

#include "platform/DebugFormat.h"

namespace audio77 {
namespace {

// Reads a quoted item starting at text[pos] == '"'; pos ends after the closing quote.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
  std::string item;
  ++pos;
  while (pos < text.size()) {
    if (text[pos] == '"') {
      if (pos + 1 < text.size() && text[pos + 1] == '"') {
        item += '"';
        pos += 2;
        continue;
      }
      ++pos;
      break;
    }
    item += text[pos++];
  }
  return item;
}

std::vector<std::string> SplitItems(std::string_view text) {
  std::vector<std::string> items;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::string item;
    if (text[pos] == '"') item = ReadQuoted(text, pos);
    const std::size_t comma = text.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    item += text.substr(pos, end - pos);
    items.push_back(std::move(item));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
    if (pos == text.size()) items.emplace_back();
  }
  return items;
}

}  // namespace

int SplitCommaList(std::string_view text, std::span<std::string> slots) {
  std::size_t count = 0;
  for (auto& item : SplitItems(text)) {
    if (count == slots.size()) break;
    slots[count++] = TruncateToUtf16Units(item, kCommaItemChars);
  }
  // A reused array must not show the items of an earlier, longer list.
  for (std::size_t i = count; i < slots.size(); ++i) slots[i].clear();
  return static_cast<int>(count);
}

}  // namespace audio77
