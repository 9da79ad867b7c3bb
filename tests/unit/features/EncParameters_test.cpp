#include "features/EncParameters.h"

#include <gtest/gtest.h>

#include <numeric>

namespace audio77 {
namespace {

using Block = EncParameters::Block;
using Companion = EncParameters::Companion;

// A read-all answer as a device gives it: the companion area from byte 2
// (with bytes past it that are not part of it) and the block from byte 134.
AudioCommand Answer(std::int32_t length) {
  AudioCommand command = EncParameters::ReadAllCommand();
  std::array<std::uint8_t, 10> first{};
  std::iota(first.begin(), first.end(), 0xA0);
  command.SetPayload(first);
  Block second{};
  std::iota(second.begin(), second.end(), 0x10);
  command.SetPayload(second, AudioCommand::kSecondReplyOffset - AudioCommand::kPayloadOffset);
  *command.Length() = length;
  return command;
}

constexpr Block kRead = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F};
constexpr Companion kCompanionRead = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7};

TEST(EncParameters, ReadAllIsGroupFourSubEightWithNoPayload) {
  AudioCommand command = EncParameters::ReadAllCommand();
  const auto bytes = command.Bytes();
  EXPECT_EQ(bytes[0], 4);
  EXPECT_EQ(bytes[1], 8);
  EXPECT_TRUE(std::all_of(bytes.begin() + 2, bytes.end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(*command.Length(), 234);
}

TEST(EncParameters, TakesTheAnswerOnlyWhenItIsWhole) {
  struct Case {
    const char* what;
    std::int32_t result;
    std::int32_t length;
    Block block;
    Companion companion;
  };
  const Case cases[] = {
      {"done", 0, 234, kRead, kCompanionRead},
      {"exactly to the block's end", 0, 150, kRead, kCompanionRead},
      {"failed", -3, 234, {}, {}},
      {"one byte short", 0, 149, {}, {}},
      {"nothing", 0, 0, {}, {}},
      {"negative length", 0, -1, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EncParameters parameters;
    parameters.SetLevel(7);
    parameters.SetCompanionOn(1);
    AudioCommand answer = Answer(c.length);
    parameters.TakeReadAll(c.result, answer);
    EXPECT_EQ(parameters.Bytes(), c.block);
    EXPECT_EQ(parameters.CompanionArea(), c.companion);
  }
}

TEST(EncParameters, TheLevelReplacesBytesEightToElevenClamped) {
  struct Case {
    int level;
    std::array<std::uint8_t, 4> bytes;
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0}}, {17, {0x11, 0, 0, 0}}, {30, {0x1E, 0, 0, 0}}, {31, {0x1E, 0, 0, 0}},
      {-1, {0, 0, 0, 0}}, {1 << 20, {0x1E, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    EncParameters parameters;
    AudioCommand answer = Answer(234);
    parameters.TakeReadAll(0, answer);
    parameters.SetLevel(c.level);
    Block expected = kRead;
    std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + 8);
    EXPECT_EQ(parameters.Bytes(), expected);
  }
}

TEST(EncParameters, TheSwitchGoesIntoTheCompanionAreaOnly) {
  EncParameters parameters;
  AudioCommand answer = Answer(234);
  parameters.TakeReadAll(0, answer);
  parameters.SetCompanionOn(1);
  EXPECT_EQ(parameters.CompanionArea(), (Companion{1, 0, 0, 0, 0xA4, 0xA5, 0xA6, 0xA7}));
  EXPECT_EQ(parameters.Bytes(), kRead);
  parameters.Clear();
  EXPECT_EQ(parameters.Bytes(), Block{});
  EXPECT_EQ(parameters.CompanionArea(), Companion{});
}

}  // namespace
}  // namespace audio77
