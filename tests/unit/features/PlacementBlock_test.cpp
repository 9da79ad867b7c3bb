// The speaker placement block: the distance scale and its limits, and the
// 68 bytes the device library gets, byte for byte.
#include "features/PlacementBlock.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace audio77 {
namespace {

using Bytes = PlacementBlock::Bytes;

TEST(PlacementBlockDistance, ScalesTheCircleToOnePointSevenAndHoldsTheLimits) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    float radius;
    std::int32_t circle;
    float expected;
  } cases[] = {
      {100, 100, 1.7f},
      {120, 100, 1.7f},  // outside the circle: still the longest
      {0, 100, 0.0f},
      {50, 100, 0.85f},
      {100, 120, static_cast<float>(100 * 1.7 / 120)},
      {-5, 100, 0.0f},
      {kInf, 100, 1.7f},
      // A skin without a circle and a radius that is no number give 0,
      // never a division by zero or a NaN in the block.
      {100, 0, 0.0f},
      {100, -10, 0.0f},
      {std::nanf(""), 100, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.radius << " / " << c.circle);
    EXPECT_EQ(PlacementBlock::Distance(c.radius, c.circle), c.expected);
  }
}

TEST(PlacementBlockBytes, EncodesEnableDistancesAndAnglesLittleEndian) {
  SpeakerLibraryValues values{};
  values[0] = {120.0f, static_cast<float>(SpeakerLayout::kPi / 2)};  // beyond the circle
  values[2] = {60.0f, -1.0f};
  values[3] = {30.0f, 0.0f};
  values[7] = {0.0f, static_cast<float>(SpeakerLayout::kPi * 1.5)};
  const Bytes bytes = PlacementBlock::Encode(PlacementBlock::Prepare(1, values, 120));
  const Bytes expected = {
      0x01, 0x00, 0x00, 0x00,  // enable
      0x9A, 0x99, 0xD9, 0x3F,  // L 1.7
      0x00, 0x00, 0x00, 0x00,  // R 0
      0x9A, 0x99, 0x59, 0x3F,  // C 0.85
      0x9A, 0x99, 0xD9, 0x3E,  // SUB 0.425
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0xDB, 0x0F, 0xC9, 0x3F,  // L pi/2
      0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x80, 0xBF,  // C -1
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0xE4, 0xCB, 0x96, 0x40,  // RB 1.5 pi
  };
  EXPECT_EQ(bytes, expected);

  // Off is a zero enable word; the rest of the block is the same.
  Bytes off = PlacementBlock::Encode(PlacementBlock::Prepare(0, values, 120));
  EXPECT_EQ(off[0], 0x00);
  off[0] = 0x01;
  EXPECT_EQ(off, expected);
}

TEST(PlacementBlockBytes, DecodeReadsWhatEncodeWroteAndTheLibraryRecordHoldsTheSameBytes) {
  PlacementBlock::Fields fields;
  fields.enable = -2;
  for (int i = 0; i < kSpeakerCount; ++i) {
    fields.distance[i] = 0.2f * static_cast<float>(i);
    fields.angle[i] = -3.0f + static_cast<float>(i);
  }
  const Bytes bytes = PlacementBlock::Encode(fields);
  EXPECT_EQ(PlacementBlock::Decode(bytes), fields);

  static_assert(std::endian::native == std::endian::little, "the library record is read as little-endian");
  const DLLQK_Virtual7ch1Placement placement = PlacementBlock::ToLibrary(fields);
  EXPECT_EQ(std::memcmp(&placement, bytes.data(), bytes.size()), 0);
}

}  // namespace
}  // namespace audio77
