#pragma once
// The web address of the about window comes from a language file, which
// anybody may edit: only a plain http or https address is ever opened.

#include <optional>
#include <string>
#include <string_view>

namespace audio77 {

// Longer texts are not addresses anyone types into a language file.
inline constexpr std::size_t kLongestWebAddress = 2048;

// The address to open for a label's text: "http://…" and "https://…" as they
// are, "www.…" with "https://" in front; nothing for anything else (other
// schemes, paths, spaces or control characters inside, too long).
std::optional<std::string> SafeWebAddress(std::string_view text);

}  // namespace audio77
