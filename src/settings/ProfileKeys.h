#pragma once
// Every key of a profile file, in the order a new file shows them, with the
// way applying a profile reads each back. The profile writer lays a file out
// in this order whatever order the features write in.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace audio77 {

enum class ProfileReadBack {
  kStrict,        // a number or the apply stops (EConvertError)
  kZeroWhenEmpty, // missing or empty reads as 0
  kWhenPresent,   // missing or empty leaves the current state
  kNotRead,       // written for other programs and for the record only
};

struct ProfileKey {
  std::string_view section;
  std::string_view key;
  ProfileReadBack read_back;
};

std::span<const ProfileKey> ProfileKeys();
// The key's place in ProfileKeys(), names compared without regard to case;
// nothing for a key of no profile.
std::optional<std::size_t> ProfileKeyIndex(std::string_view section, std::string_view key);

}  // namespace audio77
