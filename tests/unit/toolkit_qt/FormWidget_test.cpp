#include "toolkit/qt/FormWidget.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>
#include <QSlider>
#include <memory>
#include <string>
#include <vector>

#include "QtTestApp.h"
#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/qt/QtToolkit.h"

namespace audio77::toolkit::qt::test {
namespace {

class FormWidgetTest : public ::testing::Test {
 protected:
  FormWidgetTest() { TestApp(); }
  ManualClock clock;
  EventLoop loop{clock};
  Application app{loop};
  QtToolkit toolkit{app};
  Form form{app, "Form"};
  std::vector<std::string> log;

  static void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
};

TEST_F(FormWidgetTest, MovingOneImageRepaintsOnlyItsOldAndNewRectangles) {
  form.SetClientSize({400, 300});
  for (int i = 0; i < 300; ++i) {
    Image& image = form.AddImage("Image" + std::to_string(i), i);
    image.SetBounds({i % 390, i % 290, 8, 8});
    image.SetPicture(Picture::Filled({8, 8}, 0xFF336699));
  }
  FormWidget widget(form);
  form.Show();
  Settle();
  ASSERT_GT(widget.PaintCount(), 0) << "the window was painted once";
  const int before = widget.PaintCount();
  form.FindImageByTag(150)->SetPosition(300, 200);
  Settle();
  EXPECT_EQ(widget.PaintCount(), before + 1);
  EXPECT_EQ(widget.LastPaintedRegion(), QRegion(150, 150, 8, 8) + QRegion(300, 200, 8, 8));
  form.Hide();
}

TEST_F(FormWidgetTest, MouseGoesToTheHookFirstThenToTheControl) {
  form.SetClientSize({200, 100});
  Image& knob = form.AddImage("EQ60HzSliderImage", 29);
  knob.SetBounds({10, 10, 20, 20});
  knob.OnMouseDown = [&](Control&, const MouseEvent& e) {
    log.push_back("down " + std::to_string(e.position.x) + "," + std::to_string(e.position.y));
  };
  knob.OnClick = [&](Control&) { log.push_back("click"); };
  knob.OnMouseUp = [&](Control&, const MouseEvent&) { log.push_back("up"); };
  app.AddMouseHook([&](const HookMessage& m) {
    log.push_back(m.action == MouseAction::kDown ? "hook down"
                  : m.action == MouseAction::kUp ? "hook up"
                                                 : "hook move");
  });
  FormWidget widget(form);
  SendMouse(&widget, QEvent::MouseButtonPress, {15, 17}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(&widget, QEvent::MouseMove, {16, 17}, Qt::NoButton, Qt::LeftButton);
  SendMouse(&widget, QEvent::MouseButtonRelease, {16, 17}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(log, (std::vector<std::string>{"hook down", "down 5,7", "hook move", "hook up", "click",
                                           "up"}));
}

TEST_F(FormWidgetTest, StandardControlsAreRealWidgetsInStepWithTheModel) {
  form.SetClientSize({300, 200});
  CheckBox& check = form.AddCheckBox("BeeCheckBox");
  check.SetBounds({10, 10, 80, 20});
  GroupBox& box = form.AddGroupBox("Effect");
  box.SetBounds({100, 10, 150, 100});
  RadioButton& off = form.AddRadioButton("RadioButtonOff", 1, &box);
  off.SetBounds({10, 20, 100, 20});
  off.SetChecked(true);
  TrackBar& bar = form.AddTrackBar("TrackBarBrightness");
  bar.SetRange(1, 6);
  int check_clicks = 0;
  check.OnClick = [&](Control&) { ++check_clicks; };
  std::vector<int> positions;
  bar.OnChange = [&](TrackBar& b) { positions.push_back(b.Position()); };

  FormWidget widget(form);
  // A control added while the window exists gets its widget at once.
  RadioButton& on = form.AddRadioButton("RadioButtonOn", 2, &box);
  on.SetBounds({10, 45, 100, 20});

  auto* qcheck = static_cast<QCheckBox*>(widget.WidgetFor(check));
  auto* qoff = static_cast<QRadioButton*>(widget.WidgetFor(off));
  auto* qon = static_cast<QRadioButton*>(widget.WidgetFor(on));
  auto* qbar = static_cast<QSlider*>(widget.WidgetFor(bar));
  ASSERT_TRUE(qcheck && qoff && qon && qbar);
  EXPECT_EQ(qoff->parentWidget(), widget.WidgetFor(box));
  EXPECT_EQ(qon->geometry(), QRect(10, 45, 100, 20));

  check.SetChecked(true);
  EXPECT_TRUE(qcheck->isChecked());
  EXPECT_EQ(check_clicks, 0) << "a change from code is quiet";
  qcheck->click();
  EXPECT_FALSE(check.Checked());
  EXPECT_FALSE(qcheck->isChecked());
  EXPECT_EQ(check_clicks, 1);
  // The caption's colour follows the model and goes back to the system's.
  const QColor system = qcheck->palette().color(QPalette::WindowText);
  check.SetTextColor(RgbColor(0x8C, 0x95, 0xA3));
  EXPECT_EQ(qcheck->palette().color(QPalette::WindowText), QColor(0x8C, 0x95, 0xA3));
  check.SetTextColor(std::nullopt);
  EXPECT_EQ(qcheck->palette().color(QPalette::WindowText), system);

  qon->click();
  EXPECT_TRUE(on.Checked());
  EXPECT_FALSE(off.Checked());
  EXPECT_FALSE(qoff->isChecked()) << "the model's grouping shows";
  qon->click();  // already checked: stays checked
  EXPECT_TRUE(qon->isChecked());

  qbar->setValue(4);
  bar.SetPosition(2);
  EXPECT_EQ(qbar->value(), 2);
  EXPECT_EQ(positions, (std::vector<int>{4}));

  box.Hide();
  EXPECT_TRUE(widget.WidgetFor(box)->isHidden());
}

TEST_F(FormWidgetTest, WindowFollowsTheForm) {
  form.SetClientSize({120, 80});
  form.SetCaption("About");
  form.SetRegion(WindowRegion({{0, 0, 60, 80}}));
  FormWidget widget(form);
  form.Show();
  Settle();
  EXPECT_TRUE(widget.isVisible());
  EXPECT_EQ(widget.size(), QSize(120, 80));
  EXPECT_EQ(widget.windowTitle(), QString("About"));
  EXPECT_EQ(widget.mask(), QRegion(0, 0, 60, 80));
  EXPECT_TRUE(widget.windowFlags().testFlag(Qt::FramelessWindowHint));
  form.SetClientSize({200, 90});
  EXPECT_EQ(widget.size(), QSize(200, 90));
  widget.close();  // the window system's close goes through the model
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(widget.isVisible());
}

TEST_F(FormWidgetTest, ShowModalRunsUntilTheFormHides) {
  Form dialog(app, "LEDForm");
  dialog.SetFrameless(false);
  Button& close = dialog.AddButton("ButtonClose");
  close.SetModalResult(1);
  FormWidget widget(dialog);
  loop.Post([&] { close.Click(); });
  EXPECT_EQ(dialog.ShowModal(), 1);
  EXPECT_FALSE(widget.isVisible());
}

// Wiring that tears the form down first must not leave the window pointing
// at freed controls.
TEST_F(FormWidgetTest, AWindowOutlivingItsFormIsInert) {
  auto doomed = std::make_unique<Form>(app, "Doomed");
  CheckBox& check = doomed->AddCheckBox("Check");
  FormWidget widget(*doomed);
  auto* qcheck = static_cast<QCheckBox*>(widget.WidgetFor(check));
  ASSERT_NE(qcheck, nullptr);
  QPointer<QCheckBox> guard(qcheck);
  doomed->Show();
  doomed.reset();
  EXPECT_FALSE(widget.isVisible());
  EXPECT_EQ(widget.WidgetFor(check), nullptr);
  if (guard) guard->click();  // nothing reaches the freed form
  SendMouse(&widget, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(widget.RenderToImage().isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull()) << "its widgets are gone";
}

}  // namespace
}  // namespace audio77::toolkit::qt::test
