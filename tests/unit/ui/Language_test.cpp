#include "ui/Language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <tuple>

#include "SkinFixture.h"
#include "platform/InProcessFileGuard.h"
#include "platform/ManualClock.h"
#include "settings/EConvertError.h"
#include "settings/PrivateProfile.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/CheckBox.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"
#include "ui/LanguageLabel.h"
#include "ui/LanguageReader.h"
#include "ui/SkinMenu.h"

namespace audio77::ui {
namespace {

using test::IniRow;
using test::IniText;

struct TestHost : LanguageHost {
  LabelViewState LabelView() const override { return state; }
  void LanguageChanged() override { ++changes; }
  std::string CurrentSkin() const override { return "Dark"; }
  LabelViewState state;
  int changes = 0;
};

class LanguageTest : public ::testing::Test {
 protected:
  LanguageTest() {
    for (const char* name : {"PageEQLabel", "PageMicLabel", "EQEQENLabel", "MicBoostLabel",
                             "SXLabel", "MicValueLabel", "DeviceActiveLabel"}) {
      form.AddLabel(name);
    }
    list = &form.AddDirectoryList("DirectoryListBox");
    menu = &popup.Add("LanguageMenu", "Language");
    popup.Add("CloseMenu", "Close");
    root = dir.path().string() + "/Languages/";
    state.view.page = 1;
  }

  void WriteLanguage(const std::string& folder, const std::vector<IniRow>& rows,
                     const std::string& resolution = "1920x1080/") {
    dir.Write("Languages/" + resolution + folder + "/Language.ini", IniText(rows));
  }

  std::unique_ptr<Language> Make(const std::string& current, bool old_layout = false,
                                 std::optional<UserSettings> user = std::nullopt) {
    auto language = std::make_unique<Language>(
        form, host, Language::Options{root, "Languages", old_layout, 96, &popup}, std::move(user));
    language->SetName(current);
    language->SetResolutionFolder("1920x1080/");
    host.state = state;
    return language;
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (const auto& item : menu->Items()) captions.push_back(item->Caption());
    return captions;
  }
  toolkit::Label& L(const char* name) { return *form.Find<toolkit::Label>(name); }

  audio77::test::TempDir dir;
  std::string root;
  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::Form form{app, "AudioMainForm"};
  toolkit::PopupMenu popup{app, "PopupMenu"};
  toolkit::DirectoryList* list = nullptr;
  toolkit::MenuItem* menu = nullptr;
  TestHost host;
  LabelViewState state;
};

const std::map<std::string, std::string> kDisplayNames = {{"English", "English"},
                                                           {"German", "Deutsch"}};
std::string DisplayName(const std::string& folder) {
  const auto found = kDisplayNames.find(folder);
  return found == kDisplayNames.end() ? std::string() : found->second;
}

TEST_F(LanguageTest, MenuListsFoldersWithDisplayNamesAndChecksTheCurrentOne) {
  for (const char* folder : {"German", "English", "Zulu"}) WriteLanguage(folder, {});
  struct Case {
    std::string current;
    std::string checked;
  };
  for (const Case& c : {Case{"German", "Deutsch"}, Case{"", "English"}, Case{"Klingon", "English"},
                        Case{"Zulu", "Zulu"}}) {
    SCOPED_TRACE(c.current);
    menu->Clear();
    auto language = Make(c.current);
    EXPECT_EQ(language->BuildLanguageMenu(*list, *menu, DisplayName), 3);
    // Alphabetical by folder; a folder the map does not name shows itself.
    EXPECT_EQ(Captions(), (std::vector<std::string>{"English", "Deutsch", "Zulu"}));
    EXPECT_EQ(language->FolderNames(), (std::vector<std::string>{"English", "German", "Zulu"}));
    ASSERT_NE(CheckedItem(*menu), nullptr);
    EXPECT_EQ(CheckedItem(*menu)->Caption(), c.checked);
    // Building the menu never changes the current language.
    EXPECT_EQ(language->Name(), c.current);
  }
}

TEST_F(LanguageTest, RootMenuSkipsTheResolutionFoldersAndEmptyRootListsNothing) {
  WriteLanguage("English", {}, "");
  WriteLanguage("German", {});
  auto language = Make("");
  language->SetResolutionFolder("");
  EXPECT_EQ(language->BuildLanguageMenu(*list, *menu, DisplayName), 1);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"English"}));

  menu->Clear();
  root = dir.path().string() + "/Missing/";
  auto none = Make("English");
  EXPECT_EQ(none->BuildLanguageMenu(*list, *menu, DisplayName), 0);
  EXPECT_EQ(CheckedItem(*menu), nullptr);
}

TEST(LanguageReaderTest, LabelValuesAreReadStrictlyAndTheGlobalFontLeniently) {
  audio77::test::TempDir dir;
  struct Case {
    std::string value;
    bool throws;
    LabelRecord expected;
  };
  LabelRecord all;
  all.caption = "Mute";
  all.color_up_given = all.color_down_given = all.font_given = all.font_size_given = true;
  all.color_up = 0xFF;
  all.color_down = 16;
  all.font = "Arial";
  all.font_size = 10;
  all.left_given = all.top_given = all.width_given = all.height_given = true;
  all.left = 1;
  all.top = -2;
  all.width = 3;
  all.height = 4;
  all.page = 3;
  LabelRecord caption_only;
  caption_only.caption = "Mute";
  caption_only.page = 3;
  LabelRecord on_page_one = caption_only;
  on_page_one.page = 1;
  LabelRecord quoted = caption_only;
  quoted.caption = "a, b";
  const std::vector<Case> cases = {
      {"Mute,0xFF,16,Arial,10,1,-2,3,4", false, all},
      {"Mute,0xFF,16,Arial,10,1,-2,3,4,3,extra,fields", false, all},
      {"Mute", false, caption_only},
      {"Mute,,,,,,,,", false, caption_only},
      {"Mute,,,,,,,,,1", false, on_page_one},
      // The reader drops quotes around a whole value, so a quoted caption
      // alone needs a field after it.
      {"\"a, b\",", false, quoted},
      {"", false, LabelRecord{"", false, 0, false, 0, false, "", false, 0, false, 0, false, 0,
                              false, 0, false, 0, 3}},
      {"Mute,red", true, {}},
      {"Mute,,,,10pt", true, {}},
      {"Mute,,,,,1.5", true, {}},
      {"Mute,,,,,,,,,mic", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const std::string path = dir.Write(
        "Language.ini", IniText({{"GlobalFont", "ColorUp", "0x123456,7"},
                                 {"GlobalFont", "ColorDown", "blue"},
                                 {"GlobalFont", "Font", "Noto, Sans"},
                                 {"GlobalFont", "FontSize", ""},
                                 {"Mic", "LabelMicMute", c.value}}));
    if (c.throws) {
      EXPECT_THROW(ReadLanguage({path, false}), EConvertError);
      continue;
    }
    const LanguageTable table = ReadLanguage({path, false});
    EXPECT_EQ(table.global.color_up, 0x123456u);
    EXPECT_EQ(table.global.color_down, 0u);
    EXPECT_EQ(table.global.font, "Noto, Sans");
    EXPECT_EQ(table.global.font_size, -1);
    const LabelRecord& r = table.Of("LabelMicMute");
    const LabelRecord& e = c.expected;
    EXPECT_EQ(r.caption, e.caption);
    EXPECT_EQ(std::tie(r.color_up_given, r.color_up, r.color_down_given, r.color_down),
              std::tie(e.color_up_given, e.color_up, e.color_down_given, e.color_down));
    EXPECT_EQ(std::tie(r.font_given, r.font, r.font_size_given, r.font_size),
              std::tie(e.font_given, e.font, e.font_size_given, e.font_size));
    EXPECT_EQ(std::tie(r.left_given, r.left, r.top_given, r.top, r.width_given, r.width,
                       r.height_given, r.height, r.page),
              std::tie(e.left_given, e.left, e.top_given, e.top, e.width_given, e.width,
                       e.height_given, e.height, e.page));
    // A key the file lacks gives an empty record: its control is hidden.
    EXPECT_FALSE(table.Of("LabelMicBoost").Shows());
  }
}

TEST(LanguageReaderTest, OlderLayoutShiftsGivenPlacesOnFeaturePagesOnly) {
  audio77::test::TempDir dir;
  const std::string path = dir.Write("Language.ini", IniText({{"Main", "LabelSync", "Sync,,,,,10,20"},
                                                              {"EQ", "LabelEQReset", "R,,,,,10,20"},
                                                              {"Mic", "LabelMicMute", "M,,,,,,20"},
                                                              {"About", "LabelWeb", "W,,,,,10,20"}}));
  struct Case {
    const char* key;
    bool left_given;
    std::int32_t left;
    std::int32_t top;
  };
  const LanguageTable table = ReadLanguage({path, true});
  for (const Case& c : {Case{"LabelSync", true, 10, 20}, Case{"LabelEQReset", true, 206, 72},
                        Case{"LabelMicMute", false, 0, 72}, Case{"LabelWeb", true, 10, 20}}) {
    SCOPED_TRACE(c.key);
    const LabelRecord& r = table.Of(c.key);
    EXPECT_EQ(r.left_given, c.left_given);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
  }
}

TEST(LanguageLabelTest, FontFactorFollowsTheScreenResolution) {
  struct Case {
    int dpi;
    std::int32_t points;
    int shown;
  };
  for (const Case& c : {Case{96, 9, 9}, Case{120, 10, 8}, Case{144, 12, 8}, Case{192, 12, 6},
                        Case{0, 9, 9}, Case{-5, 9, 9}, Case{96, 2147483647, 2147483647}}) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ScaledFontSize(c.points, c.dpi), c.shown);
  }
}

TEST_F(LanguageTest, ApplyLabelsDressesUpAndDownStatesPagesMenusAndValues) {
  WriteLanguage("English", {{"GlobalFont", "ColorUp", "0x111111"},
                            {"GlobalFont", "ColorDown", "0x222222"},
                            {"GlobalFont", "Font", "Global Sans"},
                            {"GlobalFont", "FontSize", "12"},
                            {"Main", "LabelPageEQ", "EQ,0x0000FF,,Tab Font,,5,6,70,16"},
                            {"Main", "LabelPageMic", "Mic"},
                            {"Main", "LabelActive", "Connected"},
                            {"Main", "LabelUnactive", "Gone"},
                            {"Main", "LabelSX", "ignored"},
                            {"Main", "LabelClose", "Beenden"},
                            {"EQ", "LabelEQEnable", "(null)"},
                            {"EQ", "LabelEQS2", "Rock"},
                            {"Mic", "LabelMicBoost", "Boost,,,,9"},
                            {"Mic", "LabelMicValue", "x"}});
  state.view.page = 1;
  state.view.eq_preset = 2;
  state.mic_gain = 17;
  toolkit::CheckBox& bee = form.AddCheckBox("BeeCheckBox");
  auto language = Make("English");
  language->LoadLanguage("English");
  language->ApplyLabels();

  // The current page's tab is down and takes the global down colour; its own
  // up colour does not apply.
  EXPECT_TRUE(L("PageEQLabel").Visible());
  EXPECT_EQ(L("PageEQLabel").GetFont().color, 0x222222u);
  EXPECT_EQ(L("PageEQLabel").GetFont().name, "Tab Font");
  EXPECT_EQ(L("PageEQLabel").Bounds(), (toolkit::Rect{5, 6, 70, 16}));
  EXPECT_EQ(L("PageMicLabel").GetFont().color, 0x111111u);
  EXPECT_EQ(L("PageMicLabel").GetFont().name, "Global Sans");
  EXPECT_EQ(L("PageMicLabel").GetFont().size_points, 12);
  EXPECT_FALSE(L("EQEQENLabel").Visible());
  // The hidden label holds the text that hid it, so a page change keeps it hidden.
  EXPECT_EQ(L("EQEQENLabel").Caption(), "(null)");
  // A label of another page waits for its page.
  EXPECT_FALSE(L("MicBoostLabel").Visible());
  EXPECT_EQ(L("MicBoostLabel").GetFont().size_points, 9);
  EXPECT_EQ(L("SXLabel").Caption(), "Rock");
  EXPECT_EQ(L("MicValueLabel").Caption(), "17");
  EXPECT_EQ(L("DeviceActiveLabel").Caption(), "Gone");
  EXPECT_EQ(popup.Find("CloseMenu")->Caption(), "Beenden");
  EXPECT_EQ(menu->Caption(), "Language");
  // A check box has no record: its caption reads in the labels' up colour,
  // or the system's when the file gives none.
  EXPECT_EQ(bee.TextColor(), std::optional<toolkit::Color>(0x111111u));
  WriteLanguage("Plain", {{"Main", "LabelPageEQ", "EQ"}});
  language->LoadLanguage("Plain");
  language->ApplyLabels();
  EXPECT_EQ(bee.TextColor(), std::nullopt);
  language->LoadLanguage("English");
  language->ApplyLabels();

  // A tab that becomes current changes only its colour.
  language->ShowLabelState("PageMicLabel", true);
  EXPECT_EQ(L("PageMicLabel").GetFont().color, 0x222222u);
  EXPECT_EQ(L("PageMicLabel").Caption(), "Mic");
}

TEST_F(LanguageTest, ChoosingALanguageLoadsItAndSavesTheChoice) {
  WriteLanguage("English", {{"Main", "LabelPageEQ", "Equalizer"}});
  WriteLanguage("German", {{"Main", "LabelPageEQ", "Entzerrer"}});
  WriteLanguage("Zweites", {{"Main", "LabelPageEQ", "Zweites"}});
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  const std::string app_data = dir.path().string() + "/appdata/";
  dir.Write("appdata/Audio77/AudioConfig.cfg", "[Language]\nDefaultLanguage=English\n");
  auto language = Make("English", false, UserSettings(profiles, app_data, "Audio77"));
  // Two folders of one display name: either entry selects the first.
  language->BuildLanguageMenu(*list, *menu, [](const std::string& folder) {
    return folder == "English" ? std::string("English") : std::string("Deutsch");
  });
  language->LoadLanguage("English");
  language->ApplyLabels();
  menu->Items()[2]->Click();
  EXPECT_EQ(language->Name(), "German");
  EXPECT_EQ(L("PageEQLabel").Caption(), "Entzerrer");
  EXPECT_TRUE(menu->Items()[2]->Checked());
  EXPECT_FALSE(menu->Items()[0]->Checked());
  EXPECT_EQ(host.changes, 1);
  const UserSettings user(profiles, app_data, "Audio77");
  EXPECT_EQ(user.Language(), "German");
  EXPECT_EQ(user.Skin(), "Dark");
}

TEST_F(LanguageTest, AFailedLoadKeepsTheLabelsTheRecordsAndTheCheckMark) {
  WriteLanguage("English", {{"Main", "LabelPageEQ", "Equalizer"}, {"Main", "LabelPageMic", "Mic"}});
  // The first label reads well, the second is broken.
  WriteLanguage("German", {{"Main", "LabelPageEQ", "Entzerrer"},
                           {"Main", "LabelPageMic", "Mikro,rot"}});
  auto language = Make("English");
  language->BuildLanguageMenu(*list, *menu, DisplayName);
  language->LoadLanguage("English");
  language->ApplyLabels();

  EXPECT_THROW(menu->Items()[1]->Click(), EConvertError);
  EXPECT_EQ(language->Name(), "English");
  EXPECT_TRUE(menu->Items()[0]->Checked());
  EXPECT_FALSE(menu->Items()[1]->Checked());
  EXPECT_EQ(language->Record("LabelPageEQ").caption, "Equalizer");
  EXPECT_EQ(L("PageEQLabel").Caption(), "Equalizer");
  EXPECT_EQ(L("PageMicLabel").Caption(), "Mic");
  EXPECT_EQ(host.changes, 0);
}

// A file that is there but cannot serve would blank every label and be
// saved: it is refused as a conversion failure is.
TEST_F(LanguageTest, AFileThatCannotServeIsRefusedTheLanguageKeptAndNothingSaved) {
  WriteLanguage("English", {{"Main", "LabelPageEQ", "Equalizer"}});
  const std::string folder = "Languages/1920x1080/";
  std::filesystem::create_directories(dir.path() / folder / "Folder" / "Language.ini");
  dir.Write(folder + "Empty/Language.ini", "");
  dir.Write(folder + "Garbage/Language.ini", "\x7f" "ELF no [keys] here\n");
  dir.Write(folder + "Huge/Language.ini", std::string(kMaxLanguageFileBytes + 1, ';'));
  dir.Write(folder + "Closed/Language.ini", "[Main]\nLabelPageEQ=Zu\n");
  const auto closed = dir.path() / folder / "Closed" / "Language.ini";
  std::filesystem::permissions(closed, std::filesystem::perms::none);
  const bool closed_works = !std::ifstream(closed).is_open();  // not when run with every privilege
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  const std::string app_data = dir.path().string() + "/appdata/";
  dir.Write("appdata/Audio77/AudioConfig.cfg", "[Language]\nDefaultLanguage=English\n");
  auto language = Make("English", false, UserSettings(profiles, app_data, "Audio77"));
  language->BuildLanguageMenu(*list, *menu, [](const std::string& f) { return f; });
  language->LoadLanguage("English");
  language->ApplyLabels();

  const std::map<std::string, std::string> says = {{"Closed", "cannot be read: Permission denied"},
                                                   {"Empty", "is empty"},
                                                   {"Folder", "is a folder"},
                                                   {"Garbage", "holds none of the keys"},
                                                   {"Huge", "is too large"}};
  for (const auto& item : menu->Items()) {
    const auto found = says.find(item->Caption());
    if (found == says.end() || (found->first == "Closed" && !closed_works)) continue;
    SCOPED_TRACE(found->first);
    try {
      item->Click();
      ADD_FAILURE() << "accepted";
    } catch (const LanguageFileError& error) {
      EXPECT_NE(std::string(error.what()).find(found->first + "/Language.ini\" " + found->second), std::string::npos)
          << error.what();
    }
    EXPECT_EQ(language->Name(), "English");
    EXPECT_EQ(L("PageEQLabel").Caption(), "Equalizer");
    EXPECT_EQ(CheckedItem(*menu)->Caption(), "English");
    EXPECT_EQ(UserSettings(profiles, app_data, "Audio77").Language(), "English");
  }
  // A language that is not there at all still reads as every key missing.
  EXPECT_NO_THROW(language->LoadLanguage("Absent"));
}

TEST_F(LanguageTest, StartUpFallsBackToTheFirstLanguageThatLoadsAndKeepsTheStoredChoice) {
  WriteLanguage("English", {{"Main", "LabelPageEQ", "Equalizer"}});
  WriteLanguage("German", {{"Main", "LabelPageEQ", "Entzerrer,xyz"}});
  auto language = Make("German");
  language->BuildLanguageMenu(*list, *menu, DisplayName);

  const std::string notice = language->StartLanguage();
  EXPECT_EQ(language->Name(), "English");
  EXPECT_EQ(language->SavedName(), "German");
  EXPECT_EQ(language->Record("LabelPageEQ").caption, "Equalizer");
  EXPECT_EQ(CheckedItem(*menu)->Caption(), "English");
  for (const std::string& part : std::vector<std::string>{root + "1920x1080/German/Language.ini", "\"LabelPageEQ\"", "'xyz'",
                                 "\"English\" is shown"}) {
    EXPECT_NE(notice.find(part), std::string::npos) << part << " in " << notice;
  }

  // Nothing loads: the stored language's own error ends start-up as before.
  WriteLanguage("English", {{"Main", "LabelPageEQ", "Equalizer,bad"}});
  EXPECT_THROW(language->StartLanguage(), EConvertError);
}

TEST_F(LanguageTest, AChoiceThatCannotBeSavedIsSaid) {
  WriteLanguage("English", {{"Main", "LabelPageEQ", "Equalizer"}});
  WriteLanguage("German", {{"Main", "LabelPageEQ", "Entzerrer"}});
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  const std::string app_data = dir.path().string() + "/appdata/";
  dir.Write("appdata/Audio77/AudioConfig.cfg", "[Language]\nDefaultLanguage=English\n");
  const auto user_file = std::filesystem::path(app_data) / "Audio77" / "AudioConfig.cfg";
  std::filesystem::permissions(user_file, std::filesystem::perms::owner_read);
  std::filesystem::permissions(user_file.parent_path(),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  auto language = Make("English", false, UserSettings(profiles, app_data, "Audio77"));
  language->BuildLanguageMenu(*list, *menu, DisplayName);
  language->LoadLanguage("English");
  const std::string said = language->LanguageMenuClick(*menu->Items()[1]);
  std::filesystem::permissions(user_file.parent_path(), std::filesystem::perms::owner_all);
  if (std::ofstream(user_file, std::ios::app).is_open() && said.empty()) GTEST_SKIP() << "run with every privilege";
  EXPECT_EQ(language->Name(), "German");
  EXPECT_NE(said.find("could not be saved"), std::string::npos) << said;
  EXPECT_NE(said.find(user_file.string()), std::string::npos) << said;
}

// The languages the build writes into the program folder.
TEST(BundledLanguagesTest, EveryBundledFileLoadsAndCaptionsEveryKey) {
  const std::string languages = (audio77::test::DistDir() / "Languages").string() + "/";
  for (const char* resolution : {"1920x1080/", "1366x768/", ""}) {
    // "" is the file read when no language is remembered.
    for (const std::string folder : {"English/", "German/", "Chinese/", ""}) {
      SCOPED_TRACE(std::string(resolution) + folder);
      const std::string path = languages + resolution + folder + kLanguageFileName;
      ASSERT_TRUE(FileExists(path));
      LanguageTable table;
      ASSERT_NO_THROW(table = ReadLanguage({path, false}));
      EXPECT_FALSE(table.global.font.empty());
      EXPECT_GT(table.global.font_size, 0);
      const auto keys = LanguageKeyList();
      for (std::size_t i = 0; i < keys.size(); ++i) {
        const LabelRecord& r = table.records[i];
        EXPECT_TRUE(r.Shows()) << keys[i].key;
        EXPECT_NE(r.caption, keys[i].key);
        if (keys[i].kind == LanguageKeyKind::kLabel) {
          EXPECT_TRUE(r.left_given && r.top_given && r.width_given && r.height_given)
              << keys[i].key;
        }
      }
    }
  }
}

TEST(BundledLanguagesTest, TheProgramFolderNamesEachBundledLanguage) {
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  const std::string config = (audio77::test::DistDir() / "AudioConfig.cfg").string();
  const std::map<std::string, std::string> expected = {
      {"English", "English"}, {"German", "Deutsch"}, {"Chinese", "简体中文"}};
  for (const auto& [folder, name] : expected) {
    std::string value;
    ReadIniValue(profiles, config, "MultiLanguageFolderMap", folder, value);
    EXPECT_EQ(value, name);
  }
}

}  // namespace
}  // namespace audio77::ui
