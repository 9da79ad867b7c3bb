#include "toolkit/qt/DemoForm.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>

#include "QtTestApp.h"
#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/qt/FormWidget.h"
#include "toolkit/qt/QtToolkit.h"

namespace audio77::toolkit::qt::test {
namespace {

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

bool Near(const QColor& c, int r, int g, int b, int tolerance = 8) {
  return std::abs(c.red() - r) <= tolerance && std::abs(c.green() - g) <= tolerance &&
         std::abs(c.blue() - b) <= tolerance && c.alpha() == 255;
}

// Set AUDIO77_DEMO_PNG to keep the picture somewhere for a person to look at.
void Keep(const QImage& image) {
  const char* path = std::getenv("AUDIO77_DEMO_PNG");
  image.save(path != nullptr ? path : "toolkit-demo.png", "PNG");
}

TEST(DemoFormRendering, OffscreenPictureShowsEveryKindOfControl) {
  TestApp();
  ManualClock clock;
  EventLoop loop(clock);
  Application app(loop);
  QtToolkit toolkit(app);
  Form form(app, "DemoForm");
  DemoForm demo(form);
  FormWidget widget(form);
  const QImage image = widget.RenderToImage();
  Keep(image);

  ASSERT_EQ(image.size(), QSize(DemoForm::kWidth, DemoForm::kHeight));
  struct Case {
    const char* what;
    QPoint at;
    int r, g, b;
  };
  const Case cases[] = {
      {"clipped picture, its visible half", {25, 30}, 255, 0, 0},
      {"stretched picture", {105, 40}, 0, 255, 0},
      {"level bar inside its width", {170, 30}, 255, 192, 0},
      {"circle fill (0x0000FF is red)", {40, 120}, 255, 0, 0},
      {"ellipse fill (0xFFFF00 is aqua)", {100, 120}, 0, 255, 255},
      {"rectangle fill", {170, 120}, 255, 255, 0},
      {"square fill", {160, 170}, 0, 0, 255},
      {"shape inside the group box", {245, 207}, 255, 165, 0},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Near(At(image, c.at.x(), c.at.y()), c.r, c.g, c.b))
        << c.what << ": " << At(image, c.at.x(), c.at.y()).name().toStdString();
  }
  // Not stretched, the picture keeps its size and is cut at the control's edge:
  // its blue half would start at x = 50.
  EXPECT_EQ(At(image, 60, 30).blue() > 200 && At(image, 60, 30).red() < 50, false);
  EXPECT_FALSE(Near(At(image, 180, 30), 255, 192, 0)) << "the bar is 45 pixels wide";

  // The title is red text: some pixel of its rectangle is clearly red.
  const Rect t = demo.title.Bounds();
  bool red_text = false;
  for (int y = t.top; y < t.Bottom() && !red_text; ++y) {
    for (int x = t.left; x < t.Right() && !red_text; ++x)
      red_text = Near(At(image, x, y), 255, 0, 0, 40);
  }
  EXPECT_TRUE(red_text);
  EXPECT_GT(t.width, 100) << "sized to its text with the real font";

  EXPECT_EQ(At(image, DemoForm::kWidth - 5, 5).alpha(), 0) << "outside the region";
  EXPECT_EQ(At(image, 5, 5).alpha(), 255);
  EXPECT_EQ(At(image, DemoForm::kWidth - 5, DemoForm::kCut + 5).alpha(), 255);
}

}  // namespace
}  // namespace audio77::toolkit::qt::test
