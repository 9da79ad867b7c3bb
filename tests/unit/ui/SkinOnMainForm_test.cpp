// The skin on the main window's real control table, and the skins the build
// draws: every picture they name exists and loads.
#include <gtest/gtest.h>

#include <filesystem>

#include "SkinFixture.h"
#include "app/MainFormResource.h"
#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "ui/Skin.h"
#include "ui/SkinKeys.h"

namespace audio77::ui {
namespace {

struct Host : SkinHost {
  SkinViewState ViewState() const override { return state; }
  std::int32_t RegionCut() const override { return region_cut; }
  void SkinChanged() override {}
  std::string CurrentLanguage() const override { return {}; }
  SkinViewState state;
  std::int32_t region_cut = 1;
};

class SkinOnMainFormTest : public ::testing::Test {
 protected:
  SkinOnMainFormTest() { BuildControls(form); }
  toolkit::Image& Img(const char* name) { return *form.Find<toolkit::Image>(name); }

  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::Form form{app, "AudioMainForm"};
  Host host;
};

TEST_F(SkinOnMainFormTest, EnvironmentPicturesFollowTheEffectNotTheButtonsName) {
  audio77::test::TempDir dir;
  std::vector<test::IniRow> rows;
  for (const char* effect : {"Non", "Theater", "Bathroom", "Livingroom", "StoneGallery"}) {
    for (const char* state : {"Up", "Down"}) {
      const std::string file = std::string(effect) + state + ".bmp";
      dir.Write("Skins/S/" + file, test::BitmapOfSize(10, 10));
      rows.push_back({"Effect", std::string("EffectButton") + effect + "Image" + state, file});
    }
  }
  dir.Write("Skins/S/SkinSetting.ini", test::IniText(test::WithRequired(rows)));
  host.region_cut = 0;
  host.state.effect = 3;
  Skin skin(form, host, dir.path().string() + "/Skins/", false, nullptr);
  skin.SetName("S");
  skin.LoadSkinSettings("S");
  skin.ApplySkin();
  const auto file = [&](const char* control) {
    return std::filesystem::path(Img(control).GetPicture()->Source()).filename().string();
  };
  // Effect 3 ("Bathroom") is the button with Tag 18, named after the stone gallery.
  EXPECT_EQ(file("EffectButtonStoneGalleryImage"), "BathroomDown.bmp");
  EXPECT_EQ(file("EffectButtonBathroomImage"), "StoneGalleryUp.bmp");
  EXPECT_EQ(file("EffectButtonNonImage"), "NonUp.bmp");
}

TEST_F(SkinOnMainFormTest, BundledSkinsNameOnlyPicturesThatLoad) {
  const auto root = audio77::test::DistDir() / "Skins";
  if (!std::filesystem::exists(root)) GTEST_SKIP() << "no bundled skins in " << root;
  int skins = 0;
  for (const char* resolution : {"1920x1080/", "1366x768/", ""}) {
    for (const char* name : {"Dark", "Light"}) {
      SCOPED_TRACE(std::string(resolution) + name);
      Skin skin(form, host, root.string() + "/", false, nullptr);
      skin.SetName(name);
      skin.ChooseResolutionFolder(
          resolution[0] == '1' ? (resolution[1] == '9' ? 2560 : 1920) : 800,
          resolution[0] == '1' ? (resolution[1] == '9' ? 1440 : 1080) : 480);
      ASSERT_EQ(skin.ResolutionFolder(), resolution);
      ASSERT_NO_THROW(skin.LoadSkinSettings(name));
      ASSERT_NO_THROW(skin.ApplyWindowRegion());
      ASSERT_NO_THROW(skin.ApplySkin());
      EXPECT_FALSE(form.Region().Empty());
      EXPECT_FALSE(form.Region().Contains({0, 0}));  // rounded corner
      EXPECT_EQ(form.ClientSize(), Img("MainFormImage").GetPicture()->GetSize());
      EXPECT_EQ(skin.Geometry().eq.length, 120);
      EXPECT_EQ(skin.Geometry().mic.length, 120);
      EXPECT_GT(skin.Geometry().radius, 0);
      // Every picture key names a picture, and each one loads.
      for (const auto& key : SkinKeyList()) {
        if (key.kind != SkinKeyKind::kPicture) continue;
        const SkinEntry& entry = skin.Table().Get(key.section, key.key);
        EXPECT_FALSE(entry.file.empty()) << key.key;
        if (!entry.file.empty()) {
          EXPECT_NO_THROW(app.Pictures().Load(skin.Folder() + entry.file)) << key.key;
        }
      }
      // The bee test's check box keeps its place free on every page.
      const toolkit::Rect bee{655, 417, 60, 17};
      for (const auto& control : form.Controls()) {
        if (control->Kind() != toolkit::ControlKind::kImage || !control->Visible()) continue;
        if (control->Name() == "MainFormImage" || control->Name().rfind("Back_", 0) == 0) continue;
        EXPECT_TRUE(control->Bounds().Intersected(bee).Empty()) << control->Name();
      }
      ++skins;
    }
  }
  EXPECT_EQ(skins, 6);
}

}  // namespace
}  // namespace audio77::ui
