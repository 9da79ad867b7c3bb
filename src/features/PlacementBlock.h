#pragma once
// The speaker placement block of the device library: 68 bytes, zero-filled,
// little-endian. Offset 0 the enable as a signed 32-bit integer, then eight
// single-precision distances (speaker order), then eight angles in radians.
// A distance is the speaker's radius scaled so that the skin's circle is 1.7,
// held between 0 and 1.7.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/DLLQK_UsbAudio77xx.h"
#include "features/SpeakerLayout.h"

namespace audio77 {

class PlacementBlock {
 public:
  static constexpr std::size_t kSize = 68;
  static constexpr std::size_t kDistanceOffset = 4;
  static constexpr std::size_t kAngleOffset = 36;
  static constexpr double kLongestDistance = 1.7;

  using Bytes = std::array<std::uint8_t, kSize>;

  struct Fields {
    std::int32_t enable = 0;
    std::array<float, kSpeakerCount> distance{};
    std::array<float, kSpeakerCount> angle{};
    bool operator==(const Fields&) const = default;
  };

  // radius x 1.7 / circle radius, held in 0 .. 1.7. A circle radius of 0 or
  // less, or a radius that is not a number, gives 0.
  static float Distance(float radius, std::int32_t circle_radius);
  static Fields Prepare(std::int32_t enable, const SpeakerLibraryValues& values, std::int32_t circle_radius);
  static Bytes Encode(const Fields& fields);
  static Fields Decode(std::span<const std::uint8_t, kSize> bytes);
  // The library's own record of the same bytes.
  static DLLQK_Virtual7ch1Placement ToLibrary(const Fields& fields);
};

}  // namespace audio77
