#pragma once
// Integers read from settings text.
//
// Strict: optional leading spaces, an optional sign, then decimal digits
// within 32 bits or hexadecimal digits after "$", "x" or "0x" (hexadecimal
// takes all 32 bits, so "$FFFFFFFF" is -1); nothing may follow. Anything else
// throws EConvertError "'<text>' is not a valid integer value".
//
// Lenient: leading white space, an optional sign and the decimal digits that
// follow; text without digits gives 0, a number beyond 32 bits stops at the
// nearest limit. These never throw.

#include <cstdint>
#include <optional>
#include <string_view>

namespace audio77 {

std::int32_t StrToInt(std::string_view text);
std::optional<std::int32_t> TryStrToInt(std::string_view text);
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

std::int32_t LeadingInt(std::string_view text);
// As LeadingInt, but empty text gives when_empty.
std::int32_t LeadingIntOr(std::string_view text, std::int32_t when_empty);

}  // namespace audio77
