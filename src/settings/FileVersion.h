#pragma once
// The version number of a program file, from the "Audio77" ELF note that the
// build embeds (four 16-bit numbers), formatted "major.minor.patch.build".

#include <string>

namespace audio77 {

inline constexpr int kVersionDone = 0;
inline constexpr int kVersionNoResource = 1;  // missing file, not ELF, or no note
inline constexpr int kVersionUnreadable = 2;  // the file cannot be read whole
inline constexpr int kVersionNoRoot = 3;      // the note is too short to hold the numbers
inline constexpr int kVersionEmptyRoot = 4;   // the note holds nothing

// text is written only on kVersionDone, and not when the note is of another
// type (which also gives kVersionDone, as a foreign block does).
int GetFileVersionText(const std::string& path, std::string& text);

}  // namespace audio77
