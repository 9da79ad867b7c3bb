#pragma once
// Formatting of debug lines the way the program's fixed 256-character buffers
// do it: printf-style, then cut to 255 characters (UTF-16 code units, as the
// buffer counts them) so the terminator still fits. A character is never split.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/DebugOutput.h"

namespace audio77 {

inline constexpr std::size_t kDebugBufferChars = 256;

// Cuts UTF-8 text to at most max_units UTF-16 code units.
std::string TruncateToUtf16Units(std::string_view text, std::size_t max_units);

// printf-style formatting into a buffer of kDebugBufferChars characters.
std::string FormatDebug(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats as FormatDebug and writes the result to the channel.
void DebugPrintf(DebugOutput& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace audio77
