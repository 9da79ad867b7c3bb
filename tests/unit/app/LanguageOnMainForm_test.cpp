// The main window with the bundled languages: the tray's language menu, a
// change of language and a language file that fails.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"

namespace audio77 {
namespace {

using test::ProgramHarness;

std::string Caption(ProgramHarness& h, const char* label) {
  auto* control = h.Form().Form().Find<toolkit::Label>(label);
  return control ? control->Caption() : "<no label>";
}

toolkit::MenuItem* Entry(ProgramHarness& h, const std::string& caption) {
  for (const auto& item : h.Form().TrayMenu().Find("LanguageMenu")->Items()) {
    if (item->Caption() == caption) return item.get();
  }
  return nullptr;
}

std::string SavedLanguage(ProgramHarness& h) {
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  return profiles.GetString("Language", "DefaultLanguage", "", 128,
                            (h.UserFolder() / "AudioConfig.cfg").string());
}

TEST(LanguageOnMainForm, TheTrayMenuSwitchesLanguageAndABrokenFileChangesNothing) {
  ProgramHarness h;
  // A language whose file holds a colour that is no number, in every set.
  for (const char* resolution : {"", "1366x768/", "1920x1080/"}) {
    const auto folder = h.ProgramFolder() / "Languages" / (std::string(resolution) + "Broken");
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Language.ini") << "[Main]\nLabelMenu1=Kaputt\nLabelActive=Kaputt,red\n";
  }
  // The per-user file names no language yet.
  std::ofstream(h.UserFolder() / "AudioConfig.cfg") << "[Language]\nDefaultLanguage=\n";
  h.Start();
  // No language is remembered: the first entry is checked and the languages
  // folder's own file (English) is read.
  EXPECT_TRUE(h.Form().TrayMenu().Find("LanguageMenu")->Items().front()->Checked());
  EXPECT_EQ(Caption(h, "DeviceActiveLabel"), "Device connected");
  EXPECT_EQ(h.Form().TrayMenu().Find("CloseMenu")->Caption(), "Close");

  ASSERT_NE(Entry(h, "Deutsch"), nullptr);
  Entry(h, "Deutsch")->Click();
  EXPECT_EQ(Caption(h, "DeviceActiveLabel"), "Gerät verbunden");
  EXPECT_EQ(Caption(h, "PageEffectLabel"), "Effekt");
  EXPECT_EQ(h.Form().TrayMenu().Find("LanguageMenu")->Caption(), "Sprache");
  EXPECT_EQ(h.Form().TrayMenu().Find("CloseMenu")->Caption(), "Beenden");
  EXPECT_EQ(SavedLanguage(h), "German");

  // The map does not name it: the entry shows its folder.
  ASSERT_NE(Entry(h, "Broken"), nullptr);
  const std::size_t messages = h.Dialogs().Messages().size();
  Entry(h, "Broken")->Click();
  ASSERT_EQ(h.Dialogs().Messages().size(), messages + 1);
  EXPECT_NE(h.Dialogs().Messages().back().text.find("LabelActive"), std::string::npos);
  EXPECT_EQ(Caption(h, "DeviceActiveLabel"), "Gerät verbunden");
  EXPECT_EQ(Caption(h, "Menu1Label"), "Speichern");
  EXPECT_TRUE(Entry(h, "Deutsch")->Checked());
  EXPECT_FALSE(Entry(h, "Broken")->Checked());
  EXPECT_EQ(SavedLanguage(h), "German");
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

toolkit::Color ColourOf(test::ProgramHarness& h, const char* label) {
  return h.Form().Form().Find<toolkit::Label>(label)->GetFont().color;
}

TEST(LanguageOnMainForm, PageTabsTakeTheirDownColourOnlyWhileTheirPageShows) {
  test::ProgramHarness h;
  h.Start();
  h.Click("PageMicLabel");
  const toolkit::Color down = ColourOf(h, "PageMicLabel");
  const toolkit::Color up = ColourOf(h, "PageEQLabel");
  EXPECT_NE(down, up);
  EXPECT_EQ(ColourOf(h, "PageEffectLabel"), up);
  h.Click("PageEQLabel");
  EXPECT_EQ(ColourOf(h, "PageEQLabel"), down);
  EXPECT_EQ(ColourOf(h, "PageMicLabel"), up);
}

}  // namespace
}  // namespace audio77
