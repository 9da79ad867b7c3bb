#pragma once
// The one set of hexadecimal helpers: a digit's value and a number's digits.

#include <cstdio>
#include <string>

namespace audio77 {

// 0..15 for 0-9, a-f and A-F; -1 for any other character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// value in upper-case hexadecimal, at least digits wide with leading zeros.
inline std::string HexDigits(unsigned long long value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*llX", digits, value);
  return text;
}

}  // namespace audio77
