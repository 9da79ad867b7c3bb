// Noise cancellation and voice effects in the window's start-up: the
// registry brings them back whether the last profile applied, was missing,
// or stopped at a bad key before their turn.
#include <gtest/gtest.h>

#include <fstream>

#include "settings/RegistryDword.h"
#include "support/harness/ProgramHarness.h"

namespace audio77 {
namespace {

using test::ProgramHarness;

TEST(MainFormNoiseVoice, StartUpTakesEncAndVoiceMagicFromTheRegistryWhateverTheLastProfileDid) {
  struct Case {
    const char* what;
    const char* last_profile;  // nullptr: none
  };
  const Case cases[] = {
      {"no last profile", nullptr},
      {"a last profile that stops at its first key", "[EQ]\nS1=not a number\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramHarness h;
    Registry& registry = h.GetPlatform().registry;
    RegSetDword(registry, "QKW 77xx Software\\EncValueMap", "VID_2E8D&PID_771F", 17);
    RegSetDword(registry, "QKW 77xx Software", "VoiceMagicEnable", 1);
    RegSetDword(registry, "QKW 77xx Software", "VoiceMagicLevel", 2);
    if (c.last_profile != nullptr) std::ofstream(h.UserFolder() / "LastProfile.ini") << c.last_profile;
    h.Start();
    EXPECT_TRUE(h.Form().NoiseFeature().Supported());
    EXPECT_EQ(h.Form().NoiseFeature().On(), 1);
    EXPECT_EQ(h.Form().NoiseFeature().Level(), 17);
    EXPECT_EQ(h.Form().VoiceFeature().On(), 1);
    EXPECT_EQ(h.Form().VoiceFeature().Effect(), 3);
  }
}

}  // namespace
}  // namespace audio77
