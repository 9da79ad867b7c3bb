#include "features/EncRegistryState.h"

#include <gtest/gtest.h>

#include "platform/InProcessFileGuard.h"
#include "settings/RegistryDword.h"
#include "settings/RegistryStore.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::TempDir;

constexpr char kVoiceKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\QKW 77xx Software";

struct Store {
  explicit Store(const std::string& installed) : registry(installed, dir.File("user/registry.reg"), guard) {}
  TempDir dir;
  InProcessFileGuard guard;
  RegistryStore registry;
  EncRegistryState state{registry};
};

std::string InstalledVoice(const std::string& values) {
  return std::string("Windows Registry Editor Version 5.00\n\n[") + kVoiceKey + "]\n" + values;
}

TEST(EncRegistryState, NamesTheValueAfterTheDevice) {
  EXPECT_EQ(EncRegistryState::DeviceValueName(0x2E8D, 0x771F), "VID_2E8D&PID_771F");
  EXPECT_EQ(EncRegistryState::DeviceValueName(0x0d8c, 0x1), "VID_0D8C&PID_0001");
  EXPECT_EQ(EncRegistryState::DeviceValueName(0, 0), "VID_0000&PID_0000");
}

TEST(EncRegistryState, ReadsTheDevicesLevelClampedOrNothingWhenItIsNotANumber) {
  Store store(test::FixturePath("features/enc-installed.reg").string());
  struct Case {
    std::uint16_t product_id;
    std::optional<int> level;
  };
  const Case cases[] = {
      {0x771F, 17}, {0x0030, 30}, {0x0040, 30}, {0xFFFF, 0}, {0x0000, 0},
      {0x0005, std::nullopt},  // text
      {0x0006, std::nullopt},  // binary
      {0x0007, std::nullopt},  // unreadable
      {0x0008, std::nullopt},  // missing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.product_id);
    EXPECT_EQ(store.state.EncLevel(0x2E8D, c.product_id), c.level);
  }
}

TEST(EncRegistryState, TheLevelIsSavedPerDeviceInTheUsersFileAndReadBack) {
  Store store("/nonexistent/registry.reg");
  EXPECT_EQ(store.state.EncLevel(0x2E8D, 0x771F), std::nullopt);
  // Reading made the key, as the platform's registry does.
  EXPECT_TRUE(store.registry.KeyExists("SOFTWARE\\QKW 77xx Software\\EncValueMap"));
  store.state.SaveEncLevel(0x2E8D, 0x771F, 22);
  store.state.SaveEncLevel(0x2E8D, 0x7720, 45);
  EXPECT_EQ(store.state.EncLevel(0x2E8D, 0x771F), 22);
  EXPECT_EQ(store.state.EncLevel(0x2E8D, 0x7720), 30);
  EXPECT_EQ(store.state.EncLevel(0x2E8D, 0x7721), std::nullopt);
  EXPECT_NE(store.dir.Read("user/registry.reg").find("\"VID_2E8D&PID_771F\"=dword:00000016"), std::string::npos);
}

TEST(EncRegistryState, VoiceMagicReadsAsASwitchAndAnEffect) {
  struct Case {
    const char* values;
    EncRegistryState::VoiceMagic expected;
  };
  const Case cases[] = {
      {"", {0, 0}},
      {"\"VoiceMagicEnable\"=dword:00000001\n\"VoiceMagicLevel\"=dword:00000013\n", {1, 2}},
      {"\"VoiceMagicEnable\"=dword:00000000\n\"VoiceMagicLevel\"=dword:00000002\n", {0, 3}},
      // Any switch but 0 is on; a level no effect has is effect 0.
      {"\"VoiceMagicEnable\"=dword:00000007\n\"VoiceMagicLevel\"=dword:00000005\n", {1, 0}},
      {"\"VoiceMagicEnable\"=dword:ffffffff\n\"VoiceMagicLevel\"=dword:ffffffff\n", {1, 0}},
      // Values of another type are not read.
      {"\"VoiceMagicEnable\"=\"1\"\n\"VoiceMagicLevel\"=hex:18,00,00,00\n", {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.values);
    TempDir installed;
    Store store(installed.Write("registry.reg", InstalledVoice(c.values)));
    EXPECT_EQ(store.state.LoadVoiceMagic(), c.expected);
  }
}

TEST(EncRegistryState, VoiceMagicSavesTheSwitchAndTheEffectsLevel) {
  Store store("/nonexistent/registry.reg");
  const std::pair<int, std::uint32_t> effects[] = {{0, 12}, {1, 9}, {2, 19}, {3, 2}, {4, 24}, {9, 12}};
  for (const auto& [effect, level] : effects) {
    SCOPED_TRACE(effect);
    store.state.SaveVoiceMagicEffect(effect);
    std::uint32_t stored = 0;
    ASSERT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "VoiceMagicLevel", stored), kRegRead);
    EXPECT_EQ(stored, level);
  }
  for (const auto& [on, stored_on] : {std::pair{1, 1u}, {0, 0u}, {5, 1u}}) {
    store.state.SaveVoiceMagicOn(on);
    std::uint32_t stored = 9;
    ASSERT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "VoiceMagicEnable", stored), kRegRead);
    EXPECT_EQ(stored, stored_on);
  }
  EXPECT_EQ(store.state.LoadVoiceMagic(), (EncRegistryState::VoiceMagic{1, 0}));
}

}  // namespace
}  // namespace audio77
