#include "features/PlacementBlock.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace audio77 {
namespace {

void PutWord(PlacementBlock::Bytes& bytes, std::size_t offset, std::uint32_t word) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(word >> (8 * i));
}

std::uint32_t GetWord(std::span<const std::uint8_t, PlacementBlock::kSize> bytes, std::size_t offset) {
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < 4; ++i) word |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  return word;
}

}  // namespace

float PlacementBlock::Distance(float radius, std::int32_t circle_radius) {
  if (circle_radius <= 0 || std::isnan(radius)) return 0.0f;
  const double distance = static_cast<double>(radius) * kLongestDistance / circle_radius;
  return static_cast<float>(std::clamp(distance, 0.0, kLongestDistance));
}

PlacementBlock::Fields PlacementBlock::Prepare(std::int32_t enable, const SpeakerLibraryValues& values,
                                               std::int32_t circle_radius) {
  Fields fields;
  fields.enable = enable;
  for (int i = 0; i < kSpeakerCount; ++i) {
    fields.distance[i] = Distance(values[i].radius, circle_radius);
    fields.angle[i] = values[i].angle;
  }
  return fields;
}

PlacementBlock::Bytes PlacementBlock::Encode(const Fields& fields) {
  Bytes bytes{};
  PutWord(bytes, 0, static_cast<std::uint32_t>(fields.enable));
  for (std::size_t i = 0; i < kSpeakerCount; ++i) {
    PutWord(bytes, kDistanceOffset + 4 * i, std::bit_cast<std::uint32_t>(fields.distance[i]));
    PutWord(bytes, kAngleOffset + 4 * i, std::bit_cast<std::uint32_t>(fields.angle[i]));
  }
  return bytes;
}

PlacementBlock::Fields PlacementBlock::Decode(std::span<const std::uint8_t, kSize> bytes) {
  Fields fields;
  fields.enable = static_cast<std::int32_t>(GetWord(bytes, 0));
  for (std::size_t i = 0; i < kSpeakerCount; ++i) {
    fields.distance[i] = std::bit_cast<float>(GetWord(bytes, kDistanceOffset + 4 * i));
    fields.angle[i] = std::bit_cast<float>(GetWord(bytes, kAngleOffset + 4 * i));
  }
  return fields;
}

DLLQK_Virtual7ch1Placement PlacementBlock::ToLibrary(const Fields& fields) {
  DLLQK_Virtual7ch1Placement placement{};
  placement.enable = fields.enable;
  std::copy(fields.distance.begin(), fields.distance.end(), placement.distance);
  std::copy(fields.angle.begin(), fields.angle.end(), placement.angle);
  return placement;
}

}  // namespace audio77
