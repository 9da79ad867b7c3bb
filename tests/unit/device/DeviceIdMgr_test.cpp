#include "device/DeviceIdMgr.h"

#include <gtest/gtest.h>

#include "MemoryRegistry.h"
#include "device/SignedText.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

using Outcome = CDeviceIdMgr::EntryOutcome;

constexpr const char* kKey = "SOFTWARE\\QKW USB DeviceId Group";
const std::string kAudio = "USB\\VID_2E8D&PID_77XX&REV_0100&MI_00";
const std::string kHid = "HID\\VID_2E8D&PID_771F&MI_03";

std::string Entry(const std::string& pattern) { return pattern + "," + SignedText::Sign(pattern); }

// The text as a UTF-16 little-endian file with its byte-order mark.
std::string Utf16Le(const std::string& text) {
  std::string bytes = "\xFF\xFE";
  for (char c : text) bytes += std::string{c, '\0'};
  return bytes;
}

std::u16string U(std::string_view text) { return CDeviceIdMgr::WidenBytes(text); }

class DeviceIdMgrRegistry : public ::testing::Test {
 protected:
  void Put(std::initializer_list<std::string> values) {
    int n = 1;
    for (const auto& value : values) registry_.SetString(kKey, std::to_string(n++), value);
  }
  test::MemoryRegistry registry_;
  CDeviceIdMgr manager_;
};

TEST_F(DeviceIdMgrRegistry, KeepsOnlyEntriesWhoseSignatureVerifies) {
  const std::string other_signature = SignedText::Sign("USB\\VID_2E8D&PID_77XX&REV_0100&MI_01");
  Put({Entry(kHid),
       "  " + kAudio + "  ,  " + SignedText::Sign(kAudio) + "  ",
       "no comma at all",
       kAudio + "," + other_signature,
       "USB\\VID_1234&PID_0001," + SignedText::Sign("usb\\vid_1234&pid_0001"),
       "USB\\VID_1234&PID_0002,not base64!",
       "\t" + Entry("USB\\VID_1234&PID_0003"),
       Entry(kHid)});
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 0);
  EXPECT_EQ(manager_.Entries().size(), 8u);
  EXPECT_EQ(manager_.Outcomes(),
            (std::vector<Outcome>{Outcome::kAccepted, Outcome::kAccepted, Outcome::kSkipped, Outcome::kDropped,
                                  Outcome::kDropped, Outcome::kDropped, Outcome::kDropped, Outcome::kAccepted}));
  ASSERT_EQ(manager_.Ids().size(), 2u);
  // Sorted by pattern; a repeated pattern keeps one pair.
  EXPECT_EQ(manager_.Ids().begin()->first, U(kHid));
  EXPECT_EQ(manager_.Ids().rbegin()->first, U(kAudio));
  EXPECT_EQ(manager_.Ids().rbegin()->second, U(SignedText::Sign(kAudio)));
}

TEST_F(DeviceIdMgrRegistry, AnEmptySideStopsDecodingButKeepsWhatWasAccepted) {
  const std::vector<std::string> stoppers = {kAudio + ",", kAudio + ",   ", " ," + SignedText::Sign(kAudio), ","};
  for (const auto& stopper : stoppers) {
    SCOPED_TRACE(stopper);
    Put({Entry(kHid), stopper, Entry(kAudio)});
    EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 1);
    EXPECT_EQ(manager_.Outcomes(), (std::vector<Outcome>{Outcome::kAccepted, Outcome::kDropped, Outcome::kSkipped}));
    EXPECT_TRUE(manager_.IsListedHardwareId(kHid));
    EXPECT_FALSE(manager_.IsListedHardwareId("USB\\VID_2E8D&PID_771F&REV_0100&MI_00"));
  }
}

TEST_F(DeviceIdMgrRegistry, ReadsNumberedValuesUntilTheFirstGap) {
  registry_.SetString(kKey, "1", Entry(kHid));
  registry_.SetString(kKey, "3", Entry(kAudio));
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 0);
  EXPECT_EQ(manager_.Entries(), std::vector<std::u16string>{U(Entry(kHid))});
}

TEST_F(DeviceIdMgrRegistry, ValueTextEndsAtNulAndAValueTooLargeForTheBufferEndsTheList) {
  // A wide text stored as raw bytes, with a NUL and junk after it.
  std::vector<std::uint8_t> wide;
  for (char c : Entry(kAudio) + std::string(1, '\0') + "junk") {
    wide.push_back(static_cast<std::uint8_t>(c));
    wide.push_back(0);
  }
  registry_.SetBinary(kKey, "1", wide);
  // 1023 characters and the terminator fill the 2048 bytes exactly.
  const std::string padded = Entry(kHid) + std::string(1023 - Entry(kHid).size(), ' ');
  registry_.SetString(kKey, "2", padded);
  registry_.SetString(kKey, "3", padded + " ");                   // 2050 bytes: cannot be read
  registry_.SetString(kKey, "4", Entry(kAudio));                  // never reached
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 0);
  EXPECT_EQ(manager_.Entries(), (std::vector<std::u16string>{U(Entry(kAudio)), U(padded)}));
  EXPECT_TRUE(manager_.IsListedHardwareId(kAudio));
  EXPECT_TRUE(manager_.IsListedHardwareId(kHid));

  // The same limit for raw bytes: 2048 are read, 2049 are not.
  std::vector<std::uint8_t> raw(wide);
  raw.resize(2048, 0);
  registry_.SetBinary(kKey, "1", raw);
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 0);
  EXPECT_EQ(manager_.Entries().size(), 2u);
  raw.push_back(0);
  registry_.SetBinary(kKey, "1", raw);
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 0);
  EXPECT_TRUE(manager_.Entries().empty());
}

TEST_F(DeviceIdMgrRegistry, MissingKeyIsCreatedEmptyAndReported) {
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW HID DeviceId Group"), 1);
  EXPECT_TRUE(registry_.KeyExists("SOFTWARE\\QKW HID DeviceId Group"));
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "QKW HID DeviceId Group"), 0);
  EXPECT_TRUE(manager_.Ids().empty());

  Put({Entry(kAudio)});
  ASSERT_EQ(manager_.LoadFromRegistry(registry_, "QKW USB DeviceId Group"), 0);
  registry_.writable = false;
  EXPECT_EQ(manager_.LoadFromRegistry(registry_, "Unreachable Group"), 1);
  EXPECT_TRUE(manager_.Ids().empty()) << "a key that cannot be opened leaves an empty list";
}

TEST(DeviceIdMgrMatching, WildcardsCaseAndLength) {
  test::MemoryRegistry registry;
  registry.SetString(kKey, "1", Entry(kAudio));
  registry.SetString(kKey, "2", Entry("usb\\vid_0d8c&pid_0x1x"));
  CDeviceIdMgr manager;
  ASSERT_EQ(manager.LoadFromRegistry(registry, "QKW USB DeviceId Group"), 0);
  struct Case {
    std::string id;
    bool listed;
  };
  const Case cases[] = {
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_00", true},
      {"usb\\vid_2e8d&pid_77a1&rev_0100&mi_00", true},
      {"USB\\VID_2E8D&PID_77XX&REV_0100&MI_00", true},
      {"USB\\VID_2E8D&PID_77A1&REV_0100&MI_01", false},
      {"USB\\VID_2E8D&PID_78A1&REV_0100&MI_00", false},
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_000", false},
      {"USB\\VID_2E8D&PID_771F&REV_0100&MI_0", false},
      {"USB\\VID_0D8C&PID_0A1B", true},
      {"USB\\VID_0D8C&PID_0A1", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(manager.IsListedHardwareId(c.id), c.listed) << c.id;
}

TEST(DeviceIdMgrConfigFile, EntriesSignedElsewhereAreCheckedInFileOrder) {
  CDeviceIdMgr manager;
  EXPECT_EQ(manager.LoadFromConfigFile(u"USB_VID_PID", test::FixturePath("device_ids/external.cfg").string()), 4);
  EXPECT_EQ(manager.Outcomes(),
            (std::vector<Outcome>{Outcome::kAccepted, Outcome::kAccepted, Outcome::kAccepted, Outcome::kDropped,
                                  Outcome::kDropped, Outcome::kDropped, Outcome::kSkipped, Outcome::kAccepted,
                                  Outcome::kDropped, Outcome::kSkipped}));
  EXPECT_EQ(manager.Ids().size(), 3u);
  EXPECT_TRUE(manager.IsListedHardwareId("USB\\VID_0D8C&PID_0A1B&REV_0100&MI_00"));
  EXPECT_TRUE(manager.IsListedHardwareId("hid\\vid_2e8d&pid_771f"));
  EXPECT_FALSE(manager.IsListedHardwareId("USB\\VID_1111&PID_2222")) << "listed only after the stop";
}

TEST(DeviceIdMgrConfigFile, LoadResults) {
  test::TempDir dir;
  struct Case {
    const char* name;
    std::string content;  // empty: no file
    int result;
    std::size_t listed;
  };
  const Case cases[] = {
      {"missing file", "", 1, 0},
      {"no section", "[Other]\nA=" + Entry(kAudio) + "\n", 2, 0},
      {"section of another case", "[usb_vid_pid]\nA=" + Entry(kAudio) + "\n", 2, 0},
      {"section without values", "[USB_VID_PID]\n; nothing\nno equals sign\n[Next]\nA=1\n", 3, 0},
      {"loaded", "[USB_VID_PID]\nA=" + Entry(kAudio) + "\nB=" + Entry(kHid) + "\n", 0, 2},
      {"UTF-16 file", Utf16Le("[USB_VID_PID]\n; signed\nA=" + Entry(kAudio) + "\n"), 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = c.content.empty() ? dir.File("missing.cfg") : dir.Write("AudioConfig.cfg", c.content);
    CDeviceIdMgr manager;
    EXPECT_EQ(manager.LoadFromConfigFile(u"USB_VID_PID", path), c.result);
    EXPECT_EQ(manager.Ids().size(), c.listed);
  }
}

TEST(DeviceIdMgrConfigFile, AFailedLoadKeepsNothingStaleButAnUnreadableFileKeepsTheList) {
  test::TempDir dir;
  CDeviceIdMgr manager;
  ASSERT_EQ(manager.LoadFromConfigFile(u"USB_VID_PID", dir.Write("a.cfg", "[USB_VID_PID]\nA=" + Entry(kAudio) + "\n")), 0);
  EXPECT_EQ(manager.LoadFromConfigFile(u"USB_VID_PID", dir.File("missing.cfg")), 1);
  EXPECT_EQ(manager.Ids().size(), 1u);
  EXPECT_EQ(manager.LoadFromConfigFile(u"USB_VID_PID", dir.Write("b.cfg", "[Other]\n")), 2);
  EXPECT_TRUE(manager.Ids().empty());
  EXPECT_TRUE(manager.Entries().empty());
}

TEST(DeviceIdMgrConfigFile, TheShippedConfigurationListsTheAudioInterface) {
  CDeviceIdMgr manager;
  ASSERT_EQ(manager.LoadFromConfigFile(u"USB_VID_PID", (test::SourceDir() / "assets/dist/AudioConfig.cfg").string()), 0);
  EXPECT_TRUE(manager.IsListedHardwareId("USB\\VID_2E8D&PID_771F&REV_0100&MI_00"));
}

}  // namespace
}  // namespace audio77
