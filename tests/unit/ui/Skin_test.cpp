#include "ui/Skin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"

#include "SkinFixture.h"
#include "platform/ManualClock.h"
#include "settings/EConvertError.h"
#include "settings/PrivateProfile.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/PictureError.h"
#include "ui/SkinEntryView.h"
#include "ui/SkinMenu.h"
#include "ui/SkinSettingsReader.h"

namespace audio77::ui {
namespace {

using test::BitmapOfSize;
using test::IniRow;
using test::IniText;
using test::WithRequired;
using toolkit::Image;
using toolkit::Rect;

struct TestHost : SkinHost {
  SkinViewState ViewState() const override { return state; }
  std::int32_t RegionCut() const override { return region_cut; }
  void SkinChanged() override { ++changes; }
  std::string CurrentLanguage() const override { return "Deutsch"; }
  SkinViewState state;
  std::int32_t region_cut = 0;
  int changes = 0;
};

class SkinTest : public ::testing::Test {
 protected:
  SkinTest() {
    for (const char* name :
         {"MainFormImage", "CloseImage", "Back_EQImage", "EQS1Image", "EQS2Image",
          "MicProgressImage", "MainLeftImage", "PageEQImage", "PageLEDImage", "LEDImage"}) {
      form.AddImage(name);
    }
    for (int tag = 16; tag <= 20; ++tag) form.AddImage("EffectButton" + std::to_string(tag), tag);
    for (const char* name : {"Color01Shape", "ColorBreatheShape", "Bevel2", "Bevel5"}) {
      form.AddShape(name);
    }
    root = dir.path().string() + "/Skins/";
  }

  // A skin whose pictures all exist; extra rows go into its settings file.
  void WriteSkin(const std::string& name, std::vector<IniRow> rows, int background_width = 400) {
    const std::string folder = "Skins/" + name + "/";
    dir.Write(folder + "bg.bmp", BitmapOfSize(background_width, 300));
    for (const char* file : {"up.bmp", "down.bmp", "left1.bmp", "tab.bmp"}) {
      dir.Write(folder + file, BitmapOfSize(20, 10));
    }
    // The test's own rows come first: a reader takes the first of equal keys.
    rows.insert(rows.end(), {{"Main", "MainFormImage", "bg.bmp,0,0"},
                             {"Main", "CloseImageUp", "up.bmp,380,4"},
                             {"Main", "CloseImageDown", "down.bmp,380,4"},
                             {"Main", "LedImageUp", "up.bmp"},
                             {"Main", "LedImageDown", "down.bmp"},
                             {"Main", "MainLeftImage1", "left1.bmp,0,40"},
                             {"Main", "PageEQUpImage", "up.bmp,100,0"},
                             {"Main", "PageEQDownImage", "down.bmp,100,0"},
                             {"Main", "PageLEDUpImage", "up.bmp,200,0"},
                             {"Main", "PageLEDDownImage", "down.bmp,200,0"},
                             {"Main", "BevelLine", "1"},
                             {"EQ", "Back_EQImage", "bg.bmp,,,300,200"},
                             {"EQ", "EQS1ImageUp", "up.bmp,10,250"},
                             {"EQ", "EQS1ImageDown", "down.bmp,10,250"},
                             {"EQ", "EQS2ImageUp", "up.bmp,40,250"},
                             {"EQ", "EQS2ImageDown", "down.bmp,40,250"},
                             {"Effect", "EffectButtonBathroomImageUp", "up.bmp"},
                             {"Effect", "EffectButtonBathroomImageDown", "down.bmp"},
                             {"Effect", "EffectButtonNonImageUp", "up.bmp"},
                             {"Mic", "MicProgressImage", "tab.bmp,30,60"},
                             {"LED", "Color01Shape", "5,6,7,8,4"}});
    dir.Write(folder + "SkinSetting.ini", IniText(WithRequired(std::move(rows))));
  }

  Image& Img(const char* name) { return *form.Find<Image>(name); }
  std::string PictureFile(const char* name) {
    const auto& p = Img(name).GetPicture();
    return p ? std::filesystem::path(p->Source()).filename().string() : std::string();
  }

  std::unique_ptr<Skin> StartWith(const std::string& name, const UserSettings* user = nullptr) {
    auto skin = std::make_unique<Skin>(form, host, root, false, user);
    skin->SetName(name);
    skin->ChooseResolutionFolder(800, 480);
    skin->BuildSkinMenu(list, menu);
    skin->LoadSkinSettings(skin->Name());
    skin->ApplySkin();
    return skin;
  }

  audio77::test::TempDir dir;
  std::string root;
  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::Form form{app, "AudioMainForm"};
  toolkit::DirectoryList& list = form.AddDirectoryList("DirectoryListBox");
  toolkit::MenuItem menu{"SkinMenu", "Skin", nullptr};
  TestHost host;
};

TEST_F(SkinTest, AnEntryShowsItsPictureWhereAndHowLargeItSays) {
  dir.Write("p.bmp", BitmapOfSize(30, 16));
  const std::string folder = dir.path().string() + "/";
  struct Case {
    const char* what;
    SkinEntry entry;
    bool visible;
    Rect bounds;
    bool auto_size;
  };
  SkinEntry file_only{.file = "p.bmp"};
  SkinEntry width_only{.file = "p.bmp", .width = 120, .width_given = true};
  SkinEntry hidden{.file = "", .left = 10, .top = 20, .left_given = true, .top_given = true};
  SkinEntry everything{.file = "p.bmp",
                       .left = 1,
                       .top = 2,
                       .width = 3,
                       .height = 4,
                       .left_given = true,
                       .top_given = true,
                       .width_given = true,
                       .height_given = true};
  const Case cases[] = {
      {"file only: own size at the current place", file_only, true, {5, 6, 30, 16}, true},
      {"width only: height kept", width_only, true, {5, 6, 120, 50}, false},
      {"no file: hidden but moved", hidden, false, {10, 20, 40, 50}, true},
      {"everything", everything, true, {1, 2, 3, 4}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image& image = form.AddImage("probe");
    image.SetBounds({5, 6, 40, 50});
    image.SetVisible(!c.visible);
    ApplySkinEntry(c.entry, image, folder);
    EXPECT_EQ(image.Visible(), c.visible);
    EXPECT_EQ(image.Bounds(), c.bounds);
    EXPECT_EQ(image.AutoSize(), c.auto_size);
  }
  Image& image = form.AddImage("missing");
  EXPECT_THROW(ApplySkinEntry(SkinEntry{.file = "gone.bmp"}, image, folder), toolkit::PictureError);
}

TEST_F(SkinTest, StartUpAppliesTheWholeSkinForTheCurrentState) {
  WriteSkin("Dark", {});
  host.state.eq_preset = 2;
  host.state.effect = 3;
  host.state.led_on = true;
  auto skin = StartWith("Dark");
  EXPECT_EQ(form.ClientSize(), (toolkit::Size{400, 300}));
  EXPECT_EQ(PictureFile("CloseImage"), "up.bmp");
  EXPECT_EQ(Img("CloseImage").Bounds(), (Rect{380, 4, 20, 10}));
  EXPECT_EQ(PictureFile("EQS1Image"), "up.bmp");
  EXPECT_EQ(PictureFile("EQS2Image"), "down.bmp");
  EXPECT_EQ(PictureFile("LEDImage"), "down.bmp");
  EXPECT_EQ(Img("Back_EQImage").Bounds(), (Rect{0, 0, 300, 200}));
  // Environment 3 is the button with Tag 18.
  EXPECT_EQ(PictureFile("EffectButton18"), "down.bmp");
  EXPECT_EQ(PictureFile("EffectButton16"), "up.bmp");
  EXPECT_EQ(PictureFile("PageEQImage"), "down.bmp");
  EXPECT_EQ(PictureFile("PageLEDImage"), "up.bmp");
  EXPECT_EQ(PictureFile("MainLeftImage"), "left1.bmp");
  EXPECT_TRUE(Img("MainLeftImage").Visible());
  EXPECT_EQ(Img("MicProgressImage").Width(), 0);  // the level bar starts empty
  auto& swatch = *form.Find<toolkit::Shape>("Color01Shape");
  EXPECT_EQ(swatch.Bounds(), (Rect{5, 6, 7, 8}));
  EXPECT_EQ(swatch.Type(), toolkit::ShapeType::kRoundRect);
  EXPECT_EQ(swatch.BrushColor(), 0x0000FFu);
  EXPECT_EQ(form.Find<toolkit::Shape>("ColorBreatheShape")->BrushColor(), 0x0000FFu);
  EXPECT_TRUE(form.FindControl("Bevel2")->Visible());
  EXPECT_FALSE(form.FindControl("Bevel5")->Visible());
  EXPECT_EQ(skin->MenuCount(), 1);
}

TEST_F(SkinTest, PagesWithoutALeftPictureHideIt) {
  WriteSkin("Dark", {});
  host.state.page = 6;
  StartWith("Dark");
  EXPECT_EQ(PictureFile("PageLEDImage"), "down.bmp");
  EXPECT_FALSE(Img("MainLeftImage").Visible());
}

TEST_F(SkinTest, MenuListsSkinsAlphabeticallyAndChecksTheCurrentOne) {
  for (const char* name : {"light", "Dark", "A&B"}) WriteSkin(name, {});
  auto skin = StartWith("light");
  ASSERT_EQ(menu.Items().size(), 3u);
  EXPECT_EQ(menu.Items()[0]->PlainCaption(), "A&B");
  EXPECT_EQ(menu.Items()[1]->PlainCaption(), "Dark");
  EXPECT_EQ(menu.Items()[2]->PlainCaption(), "light");
  EXPECT_TRUE(menu.Items()[2]->Checked());
  EXPECT_FALSE(menu.Items()[0]->Checked());
  menu.Items()[0]->Click();
  EXPECT_EQ(skin->Name(), "A&B");
  EXPECT_TRUE(menu.Items()[0]->Checked());
  EXPECT_FALSE(menu.Items()[2]->Checked());

  EXPECT_EQ(SkinNameFromCaption("&&Dark&"), "&Dark");
  EXPECT_EQ(SkinNameFromCaption("&Light"), "Light");
}

TEST_F(SkinTest, MenuWithoutTheCurrentSkinChecksTheFirstAndAnEmptyRootNothing) {
  toolkit::MenuItem empty{"SkinMenu", "Skin", nullptr};
  EXPECT_EQ(BuildSkinMenu(list, root, empty, "Dark", {}), 0);
  EXPECT_TRUE(empty.Items().empty());
  WriteSkin("B", {});
  WriteSkin("C", {});
  EXPECT_EQ(BuildSkinMenu(list, root, menu, "Gone", {}), 2);
  EXPECT_TRUE(menu.Items()[0]->Checked());
  EXPECT_FALSE(menu.Items()[1]->Checked());
}

TEST_F(SkinTest, AFailedChangeLeavesThePreviousSkinWhole) {
  WriteSkin("A-Good", {});
  WriteSkin("B-BadNumber", {{"EQ", "EQSlider", "100,abc"}}, 500);
  WriteSkin("C-MissingPicture", {{"Main", "CloseImageUp", "gone.bmp"}}, 500);
  WriteSkin("D-MissingRegion", {}, 500);
  host.region_cut = 0;
  auto skin = StartWith("A-Good");
  const SkinGeometry geometry = skin->Geometry();
  const std::string background = Img("MainFormImage").GetPicture()->Source();

  struct Case {
    std::size_t item;
    int region_cut;
  };
  for (const Case c : {Case{1, 0}, Case{2, 0}, Case{3, 1}}) {
    SCOPED_TRACE(menu.Items()[c.item]->Caption());
    host.region_cut = c.region_cut;
    EXPECT_ANY_THROW(menu.Items()[c.item]->Click());
    EXPECT_EQ(skin->Name(), "A-Good");
    EXPECT_TRUE(menu.Items()[0]->Checked());
    EXPECT_FALSE(menu.Items()[c.item]->Checked());
    EXPECT_EQ(Img("MainFormImage").GetPicture()->Source(), background);
    EXPECT_EQ(PictureFile("CloseImage"), "up.bmp");
    EXPECT_EQ(form.ClientSize(), (toolkit::Size{400, 300}));
    EXPECT_EQ(skin->Geometry().eq.top, geometry.eq.top);
    EXPECT_EQ(skin->Table().Get("CloseImageUp").file, "up.bmp");
    EXPECT_EQ(host.changes, 0);
  }
  EXPECT_THROW(menu.Items()[1]->Click(), EConvertError);
  host.region_cut = 0;
  EXPECT_THROW(menu.Items()[2]->Click(), toolkit::PictureError);
  host.region_cut = 1;
  EXPECT_THROW(menu.Items()[3]->Click(), RegionFileError);
}

TEST_F(SkinTest, AChangeKeepsTheUsersLedColoursAndSavesTheChoice) {
  WriteSkin("Dark", {});
  WriteSkin("Light", {{"Virtual7ch1", "VirtualCenter", "200,150,135"}}, 500);
  const std::string app_data = dir.path().string() + "/appdata/";
  dir.Write("appdata/Audio77/AudioConfig.cfg", "[Skin]\nDefaultSkin=Dark\n");
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  const UserSettings user(profiles, app_data, "Audio77");
  auto skin = StartWith("Dark", &user);
  skin->Colours()[0] = 0x123456;
  skin->PaintSwatches();
  menu.Items()[1]->Click();
  EXPECT_EQ(skin->Name(), "Light");
  EXPECT_EQ(skin->Colours()[0], 0x123456u);
  EXPECT_EQ(form.Find<toolkit::Shape>("Color01Shape")->BrushColor(), 0x123456u);
  EXPECT_EQ(form.ClientSize(), (toolkit::Size{500, 300}));
  EXPECT_DOUBLE_EQ(skin->Geometry().RadiusRatio(), 1.5);
  EXPECT_EQ(host.changes, 1);
  EXPECT_EQ(user.Skin(), "Light");
  EXPECT_EQ(user.Language(), "Deutsch");
}

TEST_F(SkinTest, RegionCutShapesTheWindowAndBadRegionDataLeavesItRectangular) {
  WriteSkin("Round", {});
  WriteSkin("Broken", {});
  dir.Write("Skins/Round/MainForm_Frame.rgn", test::RegionBytes({{1, 0, 399, 1}, {0, 1, 400, 300}},
                                                                1, std::nullopt, {0, 0, 400, 300}));
  dir.Write("Skins/Broken/MainForm_Frame.rgn", "garbage");
  host.region_cut = 1;
  auto skin = StartWith("Round");
  skin->ApplyWindowRegion();
  EXPECT_EQ(form.Region().Rects().size(), 2u);
  EXPECT_FALSE(form.Region().Contains({0, 0}));
  menu.Items()[0]->Click();  // "Broken"
  EXPECT_EQ(skin->Name(), "Broken");
  EXPECT_TRUE(form.Region().Empty());
}

TEST_F(SkinTest, StartUpFallsBackToTheFirstSkinThatLoadsAndKeepsTheStoredChoice) {
  WriteSkin("A-BadNumber", {{"EQ", "EQSlider", "abc,120"}});
  WriteSkin("B-Good", {}, 500);
  WriteSkin("C-Good", {}, 600);
  const std::string app_data = dir.path().string() + "/appdata/";
  dir.Write("appdata/Audio77/AudioConfig.cfg", "[Skin]\nDefaultSkin=A-BadNumber\n");
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  const UserSettings user(profiles, app_data, "Audio77");
  Skin skin(form, host, root, false, &user);
  skin.SetName("A-BadNumber");
  skin.ChooseResolutionFolder(800, 480);
  skin.BuildSkinMenu(list, menu);

  const std::string notice = skin.StartSkin();
  EXPECT_EQ(skin.Name(), "B-Good");
  EXPECT_EQ(skin.SavedName(), "A-BadNumber");
  EXPECT_EQ(form.ClientSize(), (toolkit::Size{500, 300}));
  EXPECT_TRUE(menu.Items()[1]->Checked());
  EXPECT_FALSE(menu.Items()[0]->Checked());
  // The notice names the file, the key and what is shown instead.
  for (const std::string& part : std::vector<std::string>{root + "A-BadNumber/SkinSetting.ini", "\"EQSlider\"", "'abc'", "\"B-Good\" is shown"}) {
    EXPECT_NE(notice.find(part), std::string::npos) << part << " in " << notice;
  }
  EXPECT_EQ(user.Skin(), "A-BadNumber");
}

TEST_F(SkinTest, StartUpWithAGoodSkinSaysNothingAndWithNoGoodSkinThrowsTheStoredOnesError) {
  WriteSkin("Good", {});
  auto good = std::make_unique<Skin>(form, host, root, false, nullptr);
  good->SetName("Good");
  good->ChooseResolutionFolder(800, 480);
  good->BuildSkinMenu(list, menu);
  EXPECT_EQ(good->StartSkin(), "");
  EXPECT_EQ(good->Name(), "Good");

  dir.Write("Skins/Good/SkinSetting.ini", "");
  WriteSkin("Bad", {{"EQ", "EQSlider", "1,x"}});
  toolkit::MenuItem other_menu{"SkinMenu", "Skin", nullptr};
  Skin bad(form, host, root, false, nullptr);
  bad.SetName("Bad");
  bad.ChooseResolutionFolder(800, 480);
  bad.BuildSkinMenu(list, other_menu);
  EXPECT_THROW(bad.StartSkin(), EConvertError);
}

// A settings file that cannot serve says what is wrong with it, not what
// reading nothing later looked like.
TEST(SkinSettingsFileTest, AFileThatCannotBeReadSaysWhy) {
  audio77::test::TempDir dir;
  const std::string folder = (dir.path() / "folder.ini").string();
  std::filesystem::create_directories(folder);
  dir.Write("empty.ini", "");
  dir.Write("large.ini", std::string(kMaxSkinSettingsBytes + 1, ';'));
  dir.Write("closed.ini", "[EQ]\nEQSlider=1,2\n");
  const std::string closed = (dir.path() / "closed.ini").string();
  std::filesystem::permissions(closed, std::filesystem::perms::none);
  const bool closed_works = !std::ifstream(closed).is_open();  // not when run with every privilege
  struct Case {
    std::string path;
    std::string says;
  };
  std::vector<Case> cases = {{folder, "is a folder"},
                             {(dir.path() / "empty.ini").string(), "is empty"},
                             {(dir.path() / "large.ini").string(), "is too large"},
                             {(dir.path() / "gone.ini").string(), "cannot be read: No such file or directory"}};
  if (closed_works) cases.push_back({closed, "cannot be read: Permission denied"});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ReadSkinSettings({c.path, false, 0});
      ADD_FAILURE() << "read";
    } catch (const SkinFileError& error) {
      EXPECT_NE(std::string(error.what()).find("\"" + c.path + "\" " + c.says), std::string::npos) << error.what();
    }
  }
}

TEST_F(SkinTest, AChoiceThatCannotBeSavedIsSaid) {
  WriteSkin("Dark", {});
  WriteSkin("Light", {});
  const std::string app_data = dir.path().string() + "/appdata/";
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  // The per-user file is a folder: the choice cannot be kept.
  std::filesystem::create_directories(app_data + "Audio77/AudioConfig.cfg");
  const UserSettings user(profiles, app_data, "Audio77");
  auto skin = StartWith("Dark", &user);
  const std::string said = skin->SkinMenuClick(*menu.Items()[1]);
  EXPECT_EQ(skin->Name(), "Light");
  EXPECT_NE(said.find("could not be saved"), std::string::npos) << said;
  EXPECT_NE(said.find("is a folder"), std::string::npos) << said;

  // Without a per-user file nothing is remembered, by design, and nothing said.
  std::filesystem::remove(app_data + "Audio77/AudioConfig.cfg");
  EXPECT_EQ(skin->SkinMenuClick(*menu.Items()[0]), "");
}

}  // namespace
}  // namespace audio77::ui
