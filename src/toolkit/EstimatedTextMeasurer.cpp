#include "toolkit/EstimatedTextMeasurer.h"

#include <algorithm>

namespace audio77::toolkit {
namespace {

// Characters, not bytes: continuation bytes of UTF-8 do not count.
int CharacterCount(std::string_view text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

Size EstimatedTextMeasurer::Measure(std::string_view text, const Font& font, int wrap_width) {
  const int line_height = std::max(1, font.PixelHeight() * 6 / 5);
  const int char_width = std::max(1, font.PixelHeight() * 11 / 20);
  int width = 0;
  int lines = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    const int chars =
        CharacterCount(text.substr(start, end == std::string_view::npos ? end : end - start));
    const int line_width = chars * char_width;
    if (wrap_width > 0 && line_width > wrap_width) {
      lines += (line_width + wrap_width - 1) / wrap_width;
      width = std::max(width, wrap_width);
    } else {
      lines += 1;
      width = std::max(width, line_width);
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return {width, lines * line_height};
}

}  // namespace audio77::toolkit
