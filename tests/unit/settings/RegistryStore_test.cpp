#include "settings/RegistryStore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/InProcessFileGuard.h"
#include "settings/RegistryDword.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::FixturePath;
using test::TempDir;

constexpr const char* kSoftware = "SOFTWARE\\QKW 77xx Software";

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (const int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

struct Store {
  TempDir dir;
  InProcessFileGuard guard;
  RegistryStore registry{FixturePath("settings/installed.reg").string(), dir.File("user/registry.reg"), guard};
};

TEST(RegistryStore, ReadsEveryValueFormOfTheInstalledFile) {
  Store store;
  struct Case {
    const char* name;
    std::optional<RegistryValue> expected;
  };
  const Case cases[] = {
      {"voicemagiclevel", RegistryValue{RegistryType::kDword, Bytes({12, 0, 0, 0})}},
      {"Path", RegistryValue{RegistryType::kString, Bytes({'C', ':', '\\', 'A', 'u', 'd', 'i', 'o', ' ', '"', '7', '7', '"'})}},
      {"", RegistryValue{RegistryType::kString, Bytes({'d', 'e', 'f', 'a', 'u', 'l', 't'})}},
      {"Blob", RegistryValue{RegistryType::kBinary, Bytes({1, 2, 10, 255})}},
      {"Multi", RegistryValue{static_cast<RegistryType>(7), Bytes({0x41, 0, 0, 0})}},
      {"Broken", std::nullopt},
      {"Missing", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto value = store.registry.QueryValue(kSoftware, c.name);
    ASSERT_EQ(value.has_value(), c.expected.has_value());
    if (value) {
      EXPECT_EQ(value->type, c.expected->type);
      EXPECT_EQ(value->data, c.expected->data);
    }
  }
  EXPECT_TRUE(store.registry.KeyExists("software\\qkw 77XX software\\EncValueMap"));
  EXPECT_TRUE(store.registry.KeyExists("SOFTWARE\\Other"));  // parent of a listed key
  EXPECT_FALSE(store.registry.KeyExists("SOFTWARE\\Gone"));
  EXPECT_EQ(store.registry.EnumerateSubkeys("SOFTWARE"), (std::vector<std::string>{"QKW 77xx Software", "Other"}));
  EXPECT_FALSE(std::filesystem::exists(store.dir.File("user")));  // reading writes nothing
}

TEST(RegistryStore, WritesGoToTheUserLayerOnly) {
  Store store;
  bool created = true;
  EXPECT_TRUE(store.registry.OpenOrCreateKey(kSoftware, &created));
  EXPECT_FALSE(created);
  EXPECT_TRUE(store.registry.OpenOrCreateKey("SOFTWARE\\New\\Sub", &created));
  EXPECT_TRUE(created);
  EXPECT_TRUE(store.registry.OpenOrCreateKey("SOFTWARE\\New", &created));
  EXPECT_FALSE(created);

  EXPECT_TRUE(store.registry.SetDword(kSoftware, "VoiceMagicLevel", 3));
  EXPECT_TRUE(store.registry.SetString("SOFTWARE\\New", "Name", "a \"quoted\" \\ text"));
  const std::uint8_t blob[] = {0, 0x7f, 0xff};
  EXPECT_TRUE(store.registry.SetBinary("SOFTWARE\\New", "Blob", blob));

  EXPECT_EQ(store.registry.QueryValue(kSoftware, "VoiceMagicLevel")->data, Bytes({3, 0, 0, 0}));
  EXPECT_EQ(store.registry.QueryValue(kSoftware, "VoiceMagicEnable")->data, Bytes({1, 0, 0, 0}));
  // A second store on the same files (another process) sees the same.
  RegistryStore again(FixturePath("settings/installed.reg").string(), store.dir.File("user/registry.reg"), store.guard);
  const auto text = again.QueryValue("SOFTWARE\\New", "name");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(std::string(text->data.begin(), text->data.end()), "a \"quoted\" \\ text");
  EXPECT_EQ(again.QueryValue("SOFTWARE\\New", "Blob")->data, Bytes({0, 0x7f, 0xff}));
  EXPECT_EQ(again.EnumerateSubkeys("SOFTWARE"), (std::vector<std::string>{"QKW 77xx Software", "Other", "New"}));
  EXPECT_EQ(store.dir.Read("user/registry.reg"),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\New\\Sub]\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QKW 77xx Software]\r\n\"VoiceMagicLevel\"=dword:00000003\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\New]\r\n\"Name\"=\"a \\\"quoted\\\" \\\\ text\"\r\n\"Blob\"=hex:00,7f,ff\r\n");
}

TEST(RegistryDword, ReportsReadCreatedAndMissing) {
  Store store;
  std::uint32_t value = 99;
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "VoiceMagicLevel", value), kRegRead);
  EXPECT_EQ(value, 12u);
  value = 99;
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "Path", value), kRegValueMissing);
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "Short", value), kRegValueMissing);
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "Blob", value), kRegValueMissing);   // 4 bytes, binary
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "Multi", value), kRegValueMissing);  // 4 bytes, text list
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software", "Absent", value), kRegValueMissing);
  EXPECT_EQ(RegGetDword(store.registry, "QKW 77xx Software\\EncValueMap", "VID_1&PID_2", value), kRegValueMissing);
  EXPECT_EQ(RegGetDword(store.registry, "Fresh\\Key", "x", value), kRegKeyCreated);
  EXPECT_EQ(RegGetDword(store.registry, "Fresh\\Key", "x", value), kRegValueMissing);  // created by the first call
  EXPECT_EQ(value, 99u);

  EXPECT_EQ(RegSetDword(store.registry, "Fresh\\Key", "x", 0xDEADBEEF), 0);
  EXPECT_EQ(RegGetDword(store.registry, "Fresh\\Key", "X", value), kRegRead);
  EXPECT_EQ(value, 0xDEADBEEFu);
}

TEST(RegistryStore, UnreadableUserFileIsNeverOverwritten) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("user/registry.reg"));  // a folder in the file's place
  InProcessFileGuard guard;
  RegistryStore registry(dir.File("none.reg"), dir.File("user/registry.reg"), guard);
  EXPECT_FALSE(registry.SetDword("SOFTWARE\\K", "v", 1));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("user/registry.reg")));
  std::uint32_t value = 5;
  EXPECT_EQ(RegGetDword(registry, "K", "v", value), kRegKeyCreated);
  EXPECT_EQ(value, 5u);
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

TEST(RegistryStore, TheShippedDefaultsHoldTheVoiceSettings) {
  test::TempDir dir;
  InProcessFileGuard guard;
  RegistryStore registry((test::SourceDir() / "assets" / "dist" / "registry.reg").string(), dir.File("user.reg"), guard);
  std::uint32_t value = 0;
  EXPECT_EQ(RegGetDword(registry, "QKW 77xx Software", "VoiceMagicLevel", value), kRegRead);
  EXPECT_EQ(value, 12u);
  EXPECT_TRUE(registry.KeyExists("SOFTWARE\\QKW 77xx Software\\EncValueMap"));
}

}  // namespace
}  // namespace audio77
