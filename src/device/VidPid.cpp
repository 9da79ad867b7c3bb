#include "device/VidPid.h"

#include <algorithm>
#include <optional>

#include "settings/HexText.h"

namespace audio77 {
namespace {

constexpr std::size_t kDigits = 4;

std::optional<std::size_t> FindMarker(std::string_view text, std::string_view upper, std::string_view mixed) {
  auto at = text.find(upper);
  if (at == std::string_view::npos) at = text.find(mixed);
  if (at == std::string_view::npos) return std::nullopt;
  return at + upper.size();
}

// The leading hexadecimal digits of up to four characters; 0 when there are none.
std::uint16_t ParseHex4(std::string_view text, std::size_t start) {
  const auto digits = text.substr(start, std::min(kDigits, text.size() - start));
  std::uint16_t value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) break;
    value = static_cast<std::uint16_t>(value * 16 + digit);
  }
  return value;
}

}  // namespace

void ParseVidPid(std::string_view text, std::uint16_t& vendor_id, std::uint16_t& product_id) {
  vendor_id = 0;
  product_id = 0;
  const auto vendor_at = FindMarker(text, "VID_", "Vid_");
  if (!vendor_at) return;
  vendor_id = ParseHex4(text, *vendor_at);
  const auto product_at = FindMarker(text, "PID_", "Pid_");
  if (!product_at) return;
  product_id = ParseHex4(text, *product_at);
}

}  // namespace audio77
