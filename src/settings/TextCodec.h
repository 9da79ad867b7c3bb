#pragma once
// Conversions between the UTF-8 text the program passes around and the UTF-16
// code units of wide strings. Invalid input never fails: a byte that does not
// start a valid UTF-8 sequence becomes the code point of the same value
// (Latin-1), and an unpaired surrogate becomes U+FFFD on the way back.

#include <string>
#include <string_view>

namespace audio77 {

class TextCodec {
 public:
  static std::u16string Utf8ToUtf16(std::string_view text);
  static std::string Utf16ToUtf8(std::u16string_view text);
  // Appends the UTF-8 form of one code point (at most U+10FFFF).
  static void AppendUtf8(std::string& out, char32_t code_point);
  // Length of the valid, shortest-form UTF-8 sequence at text[pos], or 0.
  static std::size_t ValidSequenceLength(std::string_view text, std::size_t pos);
  // Number of UTF-16 code units of UTF-8 text.
  static std::size_t Utf16Length(std::string_view text);
};

}  // namespace audio77
