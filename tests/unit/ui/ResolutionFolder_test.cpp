#include "ui/ResolutionFolder.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace audio77::ui {
namespace {

TEST(ResolutionFolderTest, ClassesAreChosenByStrictlyLargerAreas) {
  struct Case {
    int width;
    int height;
    const char* folder;
  };
  const Case cases[] = {
      {1920, 1200, "1920x1080/"},
      {1920, 1080, "1366x768/"},
      {1921, 1080, "1920x1080/"},
      {1366, 768, "960x540/"},
      {1367, 768, "1366x768/"},
      {1280, 720, "960x540/"},
      {960, 540, ""},
      {800, 600, ""},
      {961, 540, "960x540/"},
      {0, 0, ""},
      {-1920, 1080, ""},
      {65536, 65536, "1920x1080/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    EXPECT_EQ(ResolutionClass(c.width, c.height), c.folder);
  }
}

TEST(ResolutionFolderTest, FallsBackToTheSkinRootWhenTheSkinIsMissingThere) {
  audio77::test::TempDir dir;
  const std::string root = dir.path().string() + "/Skins/";
  dir.Write("Skins/1366x768/Dark/SkinSetting.ini", "[Main]\n");
  dir.Write("Skins/1920x1080/Light/readme.txt", "no settings here\n");
  EXPECT_EQ(ChooseResolutionFolder(1920, 1080, root, "Dark"), "1366x768/");
  EXPECT_EQ(ChooseResolutionFolder(1920, 1080, root, "Light"), "");
  EXPECT_EQ(ChooseResolutionFolder(2560, 1440, root, "Light"), "");
  EXPECT_EQ(ChooseResolutionFolder(1920, 1080, root, ""), "");
}

}  // namespace
}  // namespace audio77::ui
