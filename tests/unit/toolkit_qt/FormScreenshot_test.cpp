// The window as painted, with and without a window on screen: pictures inside
// containers at their place, the outside of the window region transparent,
// and the same picture either way.
#include "toolkit/qt/FormScreenshot.h"

#include <gtest/gtest.h>

#include <QImage>

#include "QtTestApp.h"
#include "platform/ManualClock.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/qt/FormWidget.h"
#include "toolkit/qt/QtToolkit.h"

namespace audio77::toolkit::qt::test {
namespace {

class FormScreenshotTest : public ::testing::Test {
 protected:
  FormScreenshotTest() {
    TestApp();
    form.SetClientSize({60, 40});
    form.SetBackgroundColor(RgbColor(0, 0, 255));
    Image& red = form.AddImage("Red");
    red.SetBounds({0, 0, 10, 10});
    red.SetPicture(Picture::Filled({10, 10}, 0xFFFF0000));
    GroupBox& group = form.AddGroupBox("Group");
    group.SetBounds({30, 20, 20, 15});
    Image& green = form.AddImage("Green", 0, &group);
    green.SetBounds({5, 5, 4, 4});
    green.SetPicture(Picture::Filled({4, 4}, 0xFF00FF00));
    // Everything but the last row.
    form.SetRegion(WindowRegion({{0, 0, 60, 39}}));
  }

  static void ExpectPainted(const QImage& image) {
    ASSERT_EQ(image.size(), QSize(60, 40));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(36, 26), QColor(0, 255, 0)) << "inside the group box";
    EXPECT_EQ(image.pixelColor(20, 5), QColor(0, 0, 255)) << "background";
    EXPECT_EQ(image.pixelColor(20, 39).alpha(), 0) << "outside the window region";
  }

  ManualClock clock;
  EventLoop loop{clock};
  Application app{loop};
  QtToolkit toolkit{app};
  Form form{app, "Form"};
};

TEST_F(FormScreenshotTest, WithoutAWindowTheModelIsPaintedOffscreen) {
  ExpectPainted(FormScreenshot(form));
}

TEST_F(FormScreenshotTest, AShownWindowIsRenderedAndSavedAsPng) {
  FormWidget widget(form);
  form.Show();
  ExpectPainted(FormScreenshot(form));

  audio77::test::TempDir dir;
  EXPECT_EQ(SaveFormScreenshot(form, dir.File("shot.png")), "");
  QImage saved(QString::fromStdString(dir.File("shot.png")));
  ExpectPainted(saved.convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(SaveFormScreenshot(form, dir.File("missing/folder/shot.png")),
            "cannot write " + dir.File("missing/folder/shot.png"));
  form.Hide();
}

}  // namespace
}  // namespace audio77::toolkit::qt::test
