#pragma once
// The input level bar's arithmetic: one capture buffer of unsigned 8-bit
// samples to a level, and a level to the bar's width in 4-pixel steps from
// 10 pixels, never wider than the bar's maximum.

#include <cstdint>
#include <span>

namespace audio77 {

class LevelBar {
 public:
  static constexpr int kFirstWidth = 10;
  static constexpr int kStep = 4;

  // maximum × 2 × mean |s − 128| / 128, integer arithmetic; 0 for no samples.
  static int Level(std::span<const std::uint8_t> samples, int maximum);
  // 0 for level 0; otherwise the widest 4 × j + 10 with j < level that fits
  // the maximum; current when even 10 pixels do not fit.
  static int Width(int level, int maximum, int current);
};

}  // namespace audio77
