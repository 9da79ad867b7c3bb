#pragma once
// One chip-register write as a codec gives it: the address and the byte.

#include <cstdint>

namespace audio77 {

struct RegisterWrite {
  std::uint16_t address = 0;
  std::uint8_t value = 0;
  bool operator==(const RegisterWrite&) const = default;
};

}  // namespace audio77
