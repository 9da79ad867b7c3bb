// The LED dialog as the Qt presentation draws it: the window's size, the
// colour cells filled and outlined, the standard controls in their groups.
// Set AUDIO77_LEDFORM_PNG to keep the picture for a person to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "lighting/ULEDForm.h"
#include "platform/ManualClock.h"
#include "unit/toolkit_qt/QtTestApp.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/qt/FormWidget.h"
#include "toolkit/qt/QtToolkit.h"

namespace audio77 {
namespace {

using toolkit::qt::test::TestApp;

TEST(LEDFormPicture, TheDialogIsDrawnWithItsCellsAndStandardControls) {
  TestApp();
  ManualClock clock;
  toolkit::EventLoop loop(clock);
  toolkit::Application app(loop);
  toolkit::qt::QtToolkit toolkit(app);
  {
    TLEDForm dialog(app);
    dialog.Form().FindByTag<toolkit::Shape>(3)->SetBrushColor(0x00FF00);
    toolkit::qt::FormWidget widget(dialog.Form());
    const QImage image = widget.RenderToImage();
    if (const char* keep = std::getenv("AUDIO77_LEDFORM_PNG")) image.save(keep, "PNG");
    ASSERT_EQ(image.size(), QSize(dialog.Form().ClientSize().width, dialog.Form().ClientSize().height));
    const toolkit::Rect cell = dialog.Form().FindByTag<toolkit::Shape>(3)->ClientRect();
    EXPECT_EQ(image.pixelColor(cell.left + cell.width / 2, cell.top + cell.height / 2), QColor(0, 255, 0));
    const toolkit::Rect first = dialog.Form().FindByTag<toolkit::Shape>(1)->ClientRect();
    EXPECT_EQ(image.pixelColor(first.left + first.width / 2, first.top + first.height / 2), QColor(255, 255, 255));
  }
}

}  // namespace
}  // namespace audio77
