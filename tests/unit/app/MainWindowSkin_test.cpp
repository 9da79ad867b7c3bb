// The window and its skins: changes from the tray menu, skins that fail
// (the previous one stays whole and the error is shown), and the chrome
// around the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/harness/ProgramHarness.h"
#include "toolkit/Image.h"
#include "toolkit/MenuItem.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TrayIcon.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;
using test::HarnessOptions;
using test::ProgramHarness;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A skin made from the dark one with one line of its settings replaced, in
// every resolution class.
void WriteSkinVariant(const ProgramHarness& h, const std::string& name, const std::string& key,
                      const std::string& value) {
  for (const char* resolution : {"1920x1080", "1366x768", ""}) {
    const fs::path classes = h.ProgramFolder() / "Skins" / resolution;
    fs::copy(classes / "Dark", classes / name, fs::copy_options::recursive);
    const fs::path settings = classes / name / "SkinSetting.ini";
    const std::string text = ReadAll(settings);
    std::ofstream(settings, std::ios::binary | std::ios::trunc)
        << std::regex_replace(text, std::regex("\n" + key + "=[^\r\n]*"), "\n" + key + "=" + value);
  }
}

toolkit::MenuItem& SkinItem(ProgramHarness& h, const std::string& caption) {
  toolkit::MenuItem* skins = h.Form().TrayMenu().Find("SkinMenu");
  for (const auto& item : skins->Items()) {
    if (item->PlainCaption() == caption) return *item;
  }
  throw std::invalid_argument("no skin item " + caption);
}

std::string PictureOf(ProgramHarness& h, const std::string& control) {
  auto* image = h.Form().Form().Find<toolkit::Image>(control);
  return image && image->GetPicture() ? image->GetPicture()->Source() : std::string();
}

TEST(MainWindowSkin, StartsWithTheFirstInstalledSkinAndChangesFromTheMenu) {
  ProgramHarness h;
  h.Start();
  EXPECT_EQ(h.Form().Skin().Name(), "Dark");
  EXPECT_TRUE(SkinItem(h, "Dark").Checked());
  EXPECT_NE(PictureOf(h, "MainFormImage").find("/Dark/"), std::string::npos);
  SkinItem(h, "Light").Click();
  EXPECT_EQ(h.Form().Skin().Name(), "Light");
  EXPECT_TRUE(SkinItem(h, "Light").Checked());
  EXPECT_FALSE(SkinItem(h, "Dark").Checked());
  EXPECT_NE(PictureOf(h, "MainFormImage").find("/Light/"), std::string::npos);
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

TEST(MainWindowSkin, AFailedChangeKeepsThePreviousSkinAndShowsWhy) {
  struct Case {
    const char* name;
    const char* key;
    const char* value;
    const char* error_part;
  };
  const Case cases[] = {
      {"NoNumber", "EQSlider", "abc,120", "EQSlider"},
      {"Empty", "EQSlider", "", "EQSlider"},
      {"NoPicture", "MainFormImage", "missing.png,0,0", "missing.png"},
      {"Huge", "EQSlider", "99999999999999999999,120", "EQSlider"},
  };
  HarnessOptions options;
  options.own_skins = true;
  ProgramHarness h(options);
  for (const Case& c : cases) WriteSkinVariant(h, c.name, c.key, c.value);
  h.Start();
  const std::string background = PictureOf(h, "MainFormImage");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t boxes = h.Dialogs().Messages().size();
    SkinItem(h, c.name).Click();
    ASSERT_EQ(h.Dialogs().Messages().size(), boxes + 1);
    EXPECT_NE(h.Dialogs().Messages().back().text.find(c.error_part), std::string::npos)
        << h.Dialogs().Messages().back().text;
    EXPECT_EQ(h.Form().Skin().Name(), "Dark");
    EXPECT_TRUE(SkinItem(h, "Dark").Checked());
    EXPECT_FALSE(SkinItem(h, c.name).Checked());
    EXPECT_EQ(PictureOf(h, "MainFormImage"), background);
  }
}

TEST(MainWindowChrome, TheBackgroundMovesTheWindowWithTheLeftButtonOnly) {
  ProgramHarness h;
  h.Start();
  toolkit::Form& form = h.Form().Form();
  auto* background = form.Find<toolkit::Image>("MainLeftImage");
  ASSERT_NE(background, nullptr);
  const toolkit::Point inside{background->Left() + 2, background->Bounds().top + background->Height() - 2};
  form.MouseDown(inside, toolkit::MouseButton::kRight, {});
  form.MouseUp(inside, toolkit::MouseButton::kRight, {});
  EXPECT_EQ(form.SystemMoves(), 0);
  form.MouseDown(inside, toolkit::MouseButton::kLeft, {});
  EXPECT_EQ(form.SystemMoves(), 1);
}

TEST(MainWindowChrome, TheTrayBringsTheWindowBackUnlessAPluginRuns) {
  ProgramHarness h;
  h.Start();
  toolkit::Form& form = h.Form().Form();
  form.Show();
  h.Form().SendToTray();
  EXPECT_FALSE(form.Visible());
  h.Form().TrayIconRestore();
  EXPECT_TRUE(form.Visible());
  toolkit::MenuItem& plugins = *h.Form().TrayMenu().Find("ModeMenu");
  plugins.Add("PluginItem", "Plug-in").SetChecked(true);
  h.Form().SendToTray();
  h.Form().TrayIconRestore();
  EXPECT_FALSE(form.Visible());
}

}  // namespace
}  // namespace audio77

namespace audio77 {
namespace {

TEST(MainWindowSkin, ARemovedSkinGivesWayToTheFirstInstalledOne) {
  test::ProgramHarness h;
  std::ofstream(h.UserFolder() / "AudioConfig.cfg") << "[Skin]\nDefaultSkin=Gone\n";
  h.Start();
  EXPECT_EQ(h.Form().Skin().Name(), "Dark");
  EXPECT_TRUE(h.Dialogs().Messages().empty());
}

}  // namespace
}  // namespace audio77
