// The equalizer's codec: gain codes, the preset slot and the exact register
// bytes of every write, without a device.
#include "features/EqualizerCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace audio77 {
namespace {

using Writes = std::vector<RegisterWrite>;

TEST(EqualizerCodes, SliderOffsetGivesTheGainCode) {
  struct Case {
    int offset, travel;
    std::uint16_t code;
  };
  const Case cases[] = {
      {0, 120, 0x9FF},      // top
      {120, 120, 0x200},    // bottom
      {60, 120, 0x400},     // middle: flat
      {59, 120, 0x41A},     // one pixel above the middle of a short travel
      {511, 1024, 1026},    // one step above the middle: never 1025
      {512, 1024, 1024},
      {513, 1024, 1023},    // one step below
      {-30, 120, 0x9FF},    // a knob beyond its travel counts as at the end
      {500, 120, 0x200},
      {0, 0, 0x200},        // a skin without travel: lowest code, no division
      {10, -5, 0x200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.offset << "/" << c.travel);
    EXPECT_EQ(EqualizerCodec::CodeFromOffset(c.offset, c.travel), c.code);
  }
  // Showing a code and reading its knob back keeps the code.
  for (const std::uint16_t code : {0x200, 0x300, 0x400, 0x402, 0x41A, 0x7FE, 0x9FF}) {
    EXPECT_EQ(EqualizerCodec::CodeFromOffset(EqualizerCodec::OffsetFromCode(code, 1024), 1024), code) << code;
  }
}

TEST(EqualizerCodes, SlotPackingAndTheS4Marker) {
  EqualizerCodec::Record record;
  record.codes = {0x123, 0x456, 0x789, 0xABC, 0xDEF};
  record.auxiliary = 0x85;
  record.marker = 1;
  const EqualizerCodec::Slot slot = EqualizerCodec::Pack(record);
  const EqualizerCodec::Slot expected = {0x23, 0x61, 0x45, 0x89, 0xC7, 0xAB, 0xEF, 0xED,
                                    0, 0, 0, 0, 0, 0, 0x85, 0x85};
  EXPECT_EQ(slot, expected);
  EXPECT_EQ(EqualizerCodec::Unpack(slot), record);
}

TEST(EqualizerCodes, ARecordBecomesBothRegistersOfEveryBand) {
  struct Case {
    const char* name;
    EqualizerCodec::Codes codes;
    std::uint8_t auxiliary;
    Writes writes;
  };
  const Case cases[] = {
      {"flat",
       {0x400, 0x400, 0x400, 0x400, 0x400},
       0,
       {{0x120, 0x00}, {0x121, 0x04}, {0x122, 0x00}, {0x123, 0x04}, {0x124, 0x00},
        {0x125, 0x04}, {0x126, 0x00}, {0x127, 0x04}, {0x128, 0x00}, {0x129, 0xE4}}},
      {"extremes",
       {0x200, 0x9FF, 0x123, 0xABC, 0x9FF},
       0x7F,  // the auxiliary byte never reaches a register
       {{0x120, 0x00}, {0x121, 0x02}, {0x122, 0xFF}, {0x123, 0x09}, {0x124, 0x23},
        {0x125, 0x01}, {0x126, 0xBC}, {0x127, 0x0A}, {0x128, 0xFF}, {0x129, 0xE9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EqualizerCodec::Record record;
    record.codes = c.codes;
    record.auxiliary = c.auxiliary;
    const auto writes = EqualizerCodec::WritesOf(record);
    EXPECT_EQ(Writes(writes.begin(), writes.end()), c.writes);
  }
  // Band 4's high register carries the record's own bits 4..7.
  EqualizerCodec::Record flags;
  flags.flags = {1, 0, 1, 0};
  EXPECT_EQ(EqualizerCodec::WritesOf(flags)[9], (RegisterWrite{0x129, 0x54}));
}

TEST(EqualizerCodes, ASliderMoveKeepsTheDeviceBitsOfBand4Only) {
  struct Case {
    int band;
    std::uint16_t code;
    std::uint8_t device_high;
    RegisterWrite low, high;
  };
  const Case cases[] = {
      {0, 0x9FF, 0xF0, {0x120, 0xFF}, {0x121, 0x09}},  // bands 0..3 ignore the device's bits
      {3, 0x2A5, 0xA0, {0x126, 0xA5}, {0x127, 0x02}},
      {4, 0x9FF, 0x5A, {0x128, 0xFF}, {0x129, 0x59}},
      {4, 0x200, 0x00, {0x128, 0x00}, {0x129, 0x02}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.band);
    EXPECT_EQ(EqualizerCodec::LowWrite(c.band, c.code), c.low);
    EXPECT_EQ(EqualizerCodec::HighWrite(c.band, c.code, c.device_high), c.high);
  }
}

TEST(EqualizerCodes, EepromSelectorControlByteAndBank) {
  struct Selector {
    std::uint8_t selector;
    int bank;
  };
  for (const Selector& c : {Selector{0x10, 0}, Selector{0x13, 3}, Selector{0x14, 0}, Selector{0x0F, 0}, Selector{0xFF, 0}}) {
    EXPECT_EQ(EqualizerCodec::BankOfSelector(c.selector), c.bank) << int{c.selector};
  }
  struct Control {
    std::uint8_t byte;
    bool blank;
    int enable, wants_3d;
  };
  for (const Control& c : {Control{0x00, true, 1, 0}, Control{0xFF, true, 0, 1}, Control{0x31, false, 1, 1},
                           Control{0x81, false, 0, 0}, Control{0x90, false, 0, 1}}) {
    SCOPED_TRACE(int{c.byte});
    const auto control = EqualizerCodec::ControlOf(c.byte);
    EXPECT_EQ(control.blank, c.blank);
    EXPECT_EQ(control.eq_enable, c.enable);
    EXPECT_EQ(control.wants_3d, c.wants_3d);
  }
  // Stored codes 0, 1024, 4095, 2048 and 0x123 halve into the equalizer's span.
  EXPECT_EQ(EqualizerCodec::CodesOfBank({0x00, 0x00, 0x40, 0xFF, 0x0F, 0x80, 0x23, 0x31}),
            (EqualizerCodec::Codes{0x200, 0x400, 0x9FF, 0x600, 0x291}));
}

}  // namespace
}  // namespace audio77
