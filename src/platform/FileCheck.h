#pragma once
// Why a file the program must read cannot serve, in words a person can act
// on: it is missing, a folder, closed to us (with the system's reason),
// empty or larger than its reader accepts. Readers check first so that their
// errors name what failed instead of what reading nothing later looked like.

#include <cstdint>
#include <optional>
#include <string>

namespace audio77 {

class FileCheck {
 public:
  struct Limits {
    // Larger files are refused before they are read.
    std::uintmax_t max_bytes = UINTMAX_MAX;
    bool empty_allowed = false;
  };

  // Nothing when path names a file that can be opened for reading within the
  // limits; otherwise a sentence naming the file and the problem.
  static std::optional<std::string> Problem(const std::string& path, const Limits& limits);
  static std::optional<std::string> Problem(const std::string& path) { return Problem(path, Limits{}); }

  // The sentence for a file the system would not open, with its reason.
  static std::string CannotRead(const std::string& path, const std::string& reason);
};

}  // namespace audio77
