#include "settings/IntegerText.h"

#include <limits>
#include <string>

#include "settings/EConvertError.h"
#include "settings/HexText.h"

namespace audio77 {
namespace {

// Removes a hexadecimal prefix; true when there was one.
bool TakeHexPrefix(std::string_view& text) {
  if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
    text.remove_prefix(1);
    return true;
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    return true;
  }
  return false;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

// Magnitude of a decimal number, at most limit.
std::optional<std::uint64_t> ParseDecimal(std::string_view digits, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (TakeHexPrefix(text)) {
    const auto value = ParseHex(text);
    if (!value) return std::nullopt;
    const auto as_signed = static_cast<std::int32_t>(*value);
    return negative ? static_cast<std::int32_t>(0u - *value) : as_signed;
  }
  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  const auto value = ParseDecimal(text, limit);
  if (!value) return std::nullopt;
  return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(*value))
                  : static_cast<std::int32_t>(*value);
}

std::int32_t StrToInt(std::string_view text) {
  if (const auto value = TryStrToInt(text)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  return TryStrToInt(text).value_or(fallback);
}

std::int32_t LeadingInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (value < kBeyond) value = value * 10 + (text[pos] - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::int32_t LeadingIntOr(std::string_view text, std::int32_t when_empty) {
  return text.empty() ? when_empty : LeadingInt(text);
}

}  // namespace audio77
