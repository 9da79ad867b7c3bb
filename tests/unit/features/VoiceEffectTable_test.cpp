#include "features/VoiceEffectTable.h"

#include <gtest/gtest.h>

namespace audio77 {
namespace {

using Payload = VoiceEffectTable::Payload;

TEST(VoiceEffectTable, EachEffectSendsItsOffsetAndStoresItsLevel) {
  struct Case {
    int effect;
    std::int16_t offset;
    std::uint32_t level;
    Payload payload_on;
    const char* stem;
  };
  const Case cases[] = {
      {0, 0, 12, {1, 0, 0, 0, 0x00, 0x00, 0, 0, 0, 0}, "VMEffectNone"},
      {1, -3, 9, {1, 0, 0, 0, 0xFD, 0xFF, 0, 0, 0, 0}, "VMEffect1"},
      {2, 7, 19, {1, 0, 0, 0, 0x07, 0x00, 0, 0, 0, 0}, "VMEffect2"},
      {3, -10, 2, {1, 0, 0, 0, 0xF6, 0xFF, 0, 0, 0, 0}, "VMEffect3"},
      {4, 12, 24, {1, 0, 0, 0, 0x0C, 0x00, 0, 0, 0, 0}, "VMEffect4"},
      // Numbers outside the table are effect 0, never an index past it.
      {5, 0, 12, {1, 0, 0, 0, 0x00, 0x00, 0, 0, 0, 0}, "VMEffectNone"},
      {-1, 0, 12, {1, 0, 0, 0, 0x00, 0x00, 0, 0, 0, 0}, "VMEffectNone"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.effect);
    EXPECT_EQ(VoiceEffectTable::PitchOffset(c.effect), c.offset);
    EXPECT_EQ(VoiceEffectTable::RegistryLevel(c.effect), c.level);
    EXPECT_EQ(VoiceEffectTable::SetPayload(1, c.effect), c.payload_on);
    EXPECT_EQ(VoiceEffectTable::Stem(c.effect), c.stem);
  }
}

TEST(VoiceEffectTable, TheSwitchFillsTheFirstWordOnly) {
  EXPECT_EQ(VoiceEffectTable::SetPayload(0, 2), (Payload{0, 0, 0, 0, 0x07, 0x00, 0, 0, 0, 0}));
  EXPECT_EQ(VoiceEffectTable::SetPayload(-2, 3), (Payload{0xFE, 0xFF, 0xFF, 0xFF, 0xF6, 0xFF, 0, 0, 0, 0}));
}

TEST(VoiceEffectTable, AStoredLevelMapsBackToItsEffectAndAnyOtherToNone) {
  const std::pair<std::uint32_t, int> cases[] = {
      {12, 0}, {9, 1}, {19, 2}, {2, 3}, {24, 4}, {5, 0}, {0, 0}, {13, 0}, {0xFFFFFFFF, 0}, {0x10000009, 0},
  };
  for (const auto& [level, effect] : cases) {
    SCOPED_TRACE(level);
    EXPECT_EQ(VoiceEffectTable::EffectFromRegistryLevel(level), effect);
  }
}

}  // namespace
}  // namespace audio77
