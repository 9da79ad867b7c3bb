// The 3D codec: knob tops and values, the parameter registers and the nibble
// fix, without a device.
#include "features/Sound3DCodec.h"

#include <gtest/gtest.h>

namespace audio77 {
namespace {

TEST(Sound3DCodec, KnobTopGivesTheValueAndBack) {
  struct Case {
    int top, value;
  };
  for (const Case& c : {Case{105, 15}, Case{225, 0}, Case{165, 8}, Case{145, 10}, Case{201, 3}}) {
    SCOPED_TRACE(c.top);
    EXPECT_EQ(Sound3DCodec::ValueFromTop(c.top, 120), c.value);
  }
  for (int value = 0; value <= 15; ++value) EXPECT_EQ(Sound3DCodec::ValueFromTop(Sound3DCodec::TopFromValue(value, 120), 120), value);
  EXPECT_EQ(Sound3DCodec::ValueFromTop(150, 0), 0);  // no travel: no division
}

TEST(Sound3DCodec, ParametersGoOutAsAlphaHighBetaLowPerSide) {
  struct Case {
    Sound3DCodec::Record record;
    std::uint8_t left, right;
  };
  const Case cases[] = {
      {{}, 0xA3, 0xA3},  // the defaults
      {{15, 0, 0, 15, 1}, 0xF0, 0x0F},
      {{0, 0, 15, 15, 0}, 0x00, 0xFF},
  };
  for (const Case& c : cases) {
    const auto writes = Sound3DCodec::ParameterWrites(c.record);
    ASSERT_TRUE(writes.has_value());
    EXPECT_EQ((*writes)[0], (RegisterWrite{0x18B, c.left}));
    EXPECT_EQ((*writes)[1], (RegisterWrite{0x18C, c.right}));
  }
  // A value outside 0..15 on any side sends nothing at all.
  for (const Sound3DCodec::Record& bad :
       {Sound3DCodec::Record{16, 3, 10, 3, 1}, Sound3DCodec::Record{10, -1, 10, 3, 1},
        Sound3DCodec::Record{10, 3, 10, 16, 1}}) {
    EXPECT_FALSE(Sound3DCodec::ParameterWrites(bad).has_value());
  }
}

TEST(Sound3DCodec, OnlyNibblesOfAReadAsF) {
  struct Case {
    std::uint8_t in, out;
  };
  for (const Case& c : {Case{0xA5, 0xF5}, Case{0x3A, 0x3F}, Case{0xAA, 0xFF}, Case{0x00, 0x00}, Case{0xB9, 0xB9}}) {
    EXPECT_EQ(Sound3DCodec::FixNibbles(c.in), c.out) << int{c.in};
  }
}

}  // namespace
}  // namespace audio77
