#pragma once
// The program's 32-bit settings under HKEY_LOCAL_MACHINE, key "SOFTWARE\" + subkey.

#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace audio77 {

inline constexpr int kRegRead = 0;
inline constexpr int kRegKeyCreated = 1;   // the key was missing; it exists now, nothing was read
inline constexpr int kRegValueMissing = 2;  // missing, or not a 32-bit number

// value changes only when the result is kRegRead.
int RegGetDword(Registry& registry, const std::string& subkey, const std::string& name, std::uint32_t& value);
// Always 0; a value that cannot be written is lost.
int RegSetDword(Registry& registry, const std::string& subkey, const std::string& name, std::uint32_t value);

}  // namespace audio77
