#include "features/LevelBar.h"

#include <algorithm>
#include <cstdlib>

namespace audio77 {

int LevelBar::Level(std::span<const std::uint8_t> samples, int maximum) {
  if (samples.empty() || maximum <= 0) return 0;
  std::int64_t sum = 0;
  for (const std::uint8_t sample : samples) sum += std::abs(static_cast<int>(sample) - 128);
  const std::int64_t mean = sum / static_cast<std::int64_t>(samples.size());
  return static_cast<int>(static_cast<std::int64_t>(maximum) * 2 * mean >> 7);
}

int LevelBar::Width(int level, int maximum, int current) {
  if (level <= 0) return 0;
  if (maximum < kFirstWidth) return current;
  const int fitting_steps = (maximum - kFirstWidth) / kStep;  // the last j that fits
  const int j = std::min(level - 1, fitting_steps);
  return kStep * j + kFirstWidth;
}

}  // namespace audio77
