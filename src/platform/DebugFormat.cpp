#include "platform/DebugFormat.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace audio77 {
namespace {

// Length of the UTF-8 sequence that starts with lead, or 1 for a stray byte.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

std::string FormatV(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (needed <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return TruncateToUtf16Units(std::string_view(buffer.data(), static_cast<std::size_t>(needed)),
                              kDebugBufferChars - 1);
}

}  // namespace

std::string TruncateToUtf16Units(std::string_view text, std::size_t max_units) {
  std::size_t units = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t length = SequenceLength(static_cast<unsigned char>(text[pos]));
    if (pos + length > text.size()) length = text.size() - pos;
    const std::size_t cost = length == 4 ? 2 : 1;  // outside the BMP: a surrogate pair
    if (units + cost > max_units) break;
    units += cost;
    pos += length;
  }
  return std::string(text.substr(0, pos));
}

std::string FormatDebug(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return text;
}

void DebugPrintf(DebugOutput& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = FormatV(format, args);
  va_end(args);
  out.Write(text);
}

}  // namespace audio77
