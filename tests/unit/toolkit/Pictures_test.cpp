#include <filesystem>
#include <fstream>

#include "ToolkitFixture.h"
#include "support/TempDir.h"
#include "toolkit/HeaderPictureLoader.h"
#include "toolkit/PictureCache.h"
#include "toolkit/PictureError.h"

namespace audio77::toolkit::test {
namespace {

std::string Fixture(const char* name) {
  return audio77::test::FixturePath(std::string("toolkit/") + name).string();
}

TEST(HeaderPictureLoader, ReadsSizesOfPngAndBitmaps) {
  struct Case {
    const char* file;
    Size size;
  };
  const Case cases[] = {
      {"bar_6x4.png", {6, 4}}, {"green_5x3.bmp", {5, 3}}, {"topdown_2x7.bmp", {2, 7}}};
  HeaderPictureLoader loader;
  for (const Case& c : cases) {
    const PicturePtr picture = loader.Load(Fixture(c.file));
    EXPECT_EQ(picture->GetSize(), c.size) << c.file;
    EXPECT_EQ(picture->Source(), Fixture(c.file));
  }
}

TEST(HeaderPictureLoader, MissingAndUnreadableFilesRaiseTheirErrors) {
  HeaderPictureLoader loader;
  struct Case {
    std::string path;
    const char* message_part;
  };
  const Case cases[] = {
      {Fixture("no_such_file.png"), "Cannot open file"},
      {Fixture("not_a_picture.png"), "not a valid"},
      {Fixture("truncated.png"), "not a valid"},
  };
  for (const Case& c : cases) {
    try {
      loader.Load(c.path);
      ADD_FAILURE() << c.path << " loaded";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message_part), std::string::npos) << e.what();
      EXPECT_EQ(e.Path(), c.path);
    }
  }
}

TEST(HeaderPictureLoader, RefusesAbsurdSizes) {
  audio77::test::TempDir dir;
  std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\x7f\xff\xff\xff\0\0\0\x01", 24);
  try {
    HeaderPictureLoader().Load(dir.Write("huge.png", png));
    ADD_FAILURE() << "loaded";
  } catch (const PictureError& e) {
    // Said as what it is, not as "no picture".
    EXPECT_NE(std::string(e.what()).find("too large (2147483647 x 1 pixels"), std::string::npos) << e.what();
  }
}

TEST(PictureCache, AFileThatCannotServeSaysWhy) {
  audio77::test::TempDir dir;
  std::filesystem::create_directories(dir.path() / "folder.png");
  dir.Write("empty.png", "");
  HeaderPictureLoader loader;
  PictureCache cache(loader);
  struct Case {
    std::string path;
    const char* says;
  };
  const Case cases[] = {{dir.File("folder.png"), "is a folder"},
                        {dir.File("empty.png"), "is empty"},
                        {dir.File("gone.png"), "No such file or directory"}};
  for (const Case& c : cases) {
    try {
      cache.Load(c.path);
      ADD_FAILURE() << c.path << " loaded";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).find("not a valid"), std::string::npos) << e.what();
    }
  }
}

class CountingLoader : public PictureLoader {
 public:
  PicturePtr Load(const std::string& path) override {
    ++loads;
    return inner.Load(path);
  }
  HeaderPictureLoader inner;
  int loads = 0;
};

TEST(PictureCache, ReadsAFileOnceUntilItChanges) {
  audio77::test::TempDir dir;
  const std::string path = dir.File("knob.png");
  std::filesystem::copy_file(Fixture("bar_6x4.png"), path);
  CountingLoader loader;
  PictureCache cache(loader);
  const PicturePtr first = cache.Load(path);
  EXPECT_EQ(cache.Load(path), first);
  EXPECT_EQ(loader.loads, 1);

  std::filesystem::copy_file(Fixture("green_5x3.bmp"), path,
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(cache.Load(path)->GetSize(), (Size{5, 3}));
  EXPECT_EQ(loader.loads, 2);

  std::filesystem::remove(path);
  EXPECT_THROW(cache.Load(path), PictureError);
  EXPECT_EQ(cache.Entries(), 0u) << "a vanished file leaves nothing behind";
}

class ImageLoadTest : public ToolkitTest {};

TEST_F(ImageLoadTest, AFailedLoadKeepsThePictureTheImageHad) {
  Form form(app, "Form");
  Image& image = form.AddImage("EQ60HzBarImage");
  image.SetAutoSize(true);
  image.LoadFromFile(Fixture("bar_6x4.png"));
  const PicturePtr before = image.GetPicture();
  EXPECT_EQ(image.Bounds(), (Rect{0, 0, 6, 4}));
  EXPECT_THROW(image.LoadFromFile(Fixture("not_a_picture.png")), PictureError);
  EXPECT_EQ(image.GetPicture(), before);
  EXPECT_EQ(image.Bounds(), (Rect{0, 0, 6, 4}));
}

}  // namespace
}  // namespace audio77::toolkit::test
