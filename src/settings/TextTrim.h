#pragma once
// The one trim of the program: the characters of a set taken off the front,
// the back or both ends of a view, for 8-bit and UTF-16 text alike. Each
// format names its own set (an INI line's blanks, a registry line's spaces).

#include <string_view>

namespace audio77 {

// Space, tab, CR, LF, vertical tab, form feed.
inline constexpr std::string_view kBlanks = " \t\r\n\v\f";

template <typename Char>
constexpr std::basic_string_view<Char> TrimLeft(std::basic_string_view<Char> text, std::basic_string_view<Char> set) {
  while (!text.empty() && set.find(text.front()) != std::basic_string_view<Char>::npos) text.remove_prefix(1);
  return text;
}

template <typename Char>
constexpr std::basic_string_view<Char> TrimRight(std::basic_string_view<Char> text, std::basic_string_view<Char> set) {
  while (!text.empty() && set.find(text.back()) != std::basic_string_view<Char>::npos) text.remove_suffix(1);
  return text;
}

template <typename Char>
constexpr std::basic_string_view<Char> Trim(std::basic_string_view<Char> text, std::basic_string_view<Char> set) {
  return TrimRight(TrimLeft(text, set), set);
}

}  // namespace audio77
