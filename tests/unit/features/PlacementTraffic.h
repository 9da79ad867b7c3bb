#pragma once
// The placement blocks a feature sent, read back from the virtual device's
// trace and decoded field by field.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "features/PlacementBlock.h"
#include "support/DeviceTraffic.h"

namespace audio77::test {

inline std::vector<PlacementBlock::Fields> Placements(const std::vector<std::string>& traffic) {
  static const std::string kEntry = "DLLQK_SetVirtual7ch1 ";
  std::vector<PlacementBlock::Fields> blocks;
  for (const auto& line : Library(traffic, kEntry)) {
    const std::vector<unsigned> bytes = ReportBytes(line.substr(kEntry.size()));
    if (bytes.size() != PlacementBlock::kSize) continue;
    std::array<std::uint8_t, PlacementBlock::kSize> block{};
    std::transform(bytes.begin(), bytes.end(), block.begin(), [](unsigned b) { return static_cast<std::uint8_t>(b); });
    blocks.push_back(PlacementBlock::Decode(block));
  }
  return blocks;
}

}  // namespace audio77::test
