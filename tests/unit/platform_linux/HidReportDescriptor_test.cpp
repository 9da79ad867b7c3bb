#include "platform/linux/HidReportDescriptor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/TempDir.h"

namespace audio77 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Fixture(const std::string& name) {
  std::ifstream file(test::FixturePath("hid/" + name), std::ios::binary);
  EXPECT_TRUE(file) << name;
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void ExpectLengths(const Bytes& descriptor, std::uint16_t input, std::uint16_t output, std::uint16_t feature) {
  const auto lengths = HidReportDescriptor::ReportLengths(descriptor);
  EXPECT_EQ(lengths.input, input);
  EXPECT_EQ(lengths.output, output);
  EXPECT_EQ(lengths.feature, feature);
}

TEST(HidReportDescriptor, RealDescriptorsGiveThePlatformsByteLengths) {
  struct Case {
    const char* file;
    std::uint16_t input, output, feature;
  };
  const Case cases[] = {
      {"boot_keyboard.bin", 9, 2, 0},     // 8-byte keys report, 5 LEDs + 3 padding bits
      {"boot_mouse.bin", 4, 0, 0},        // no output report at all
      {"vendor_channel.bin", 9, 9, 0},    // the register channel, no report IDs
      {"report_ids.bin", 5, 8, 2},        // longest report over IDs 1 and 2, plus the ID byte
      {"push_pop_long.bin", 6, 0, 0},     // 3 bits under pushed globals, 32 after the pop
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ExpectLengths(Fixture(c.file), c.input, c.output, c.feature);
  }
}

TEST(HidReportDescriptor, MalformedDescriptorsNeitherOverflowNorReadPastTheEnd) {
  ExpectLengths({}, 0, 0, 0);
  // Cut inside the data of an item: the items before it still count.
  Bytes keyboard = Fixture("boot_keyboard.bin");
  const Bytes cut(keyboard.begin(), keyboard.begin() + 27);  // ends "75 08 81", the data byte missing
  ExpectLengths(cut, 2, 0, 0);
  // A long item whose length runs past the end, and a lone long-item prefix.
  ExpectLengths({0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xFE, 0x40, 0x00, 0x01}, 2, 0, 0);
  ExpectLengths({0x75, 0x08, 0x95, 0x01, 0x91, 0x02, 0xFE}, 0, 2, 0);
  // Huge sizes and counts, repeated: the length saturates.
  Bytes huge;
  for (int i = 0; i < 200; ++i) {
    huge.insert(huge.end(), {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x00, 0xB1, 0x00});
  }
  ExpectLengths(huge, 0xFFFF, 0, 0xFFFF);
  // Pops without pushes and pushes without pops change nothing.
  Bytes stack = {0xB4, 0xB4};
  for (int i = 0; i < 1000; ++i) stack.push_back(0xA4);
  stack.insert(stack.end(), {0x75, 0x10, 0x95, 0x02, 0x81, 0x02});
  ExpectLengths(stack, 5, 0, 0);
}

}  // namespace
}  // namespace audio77
