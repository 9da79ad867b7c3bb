#include "toolkit/Form.h"

#include <string>
#include <vector>

#include "ToolkitFixture.h"

namespace audio77::toolkit::test {
namespace {

class FormTest : public ToolkitTest {
 protected:
  Form form{app, "MainForm"};
  std::vector<std::string> log;

  Image& PlacedImage(const std::string& name, Rect r, int tag = 0) {
    Image& image = form.AddImage(name, tag);
    image.SetBounds(r);
    return image;
  }
  void Trace(Control& c) {
    c.OnMouseDown = [this](Control& s, const MouseEvent& e) {
      log.push_back(s.Name() + " down " + std::to_string(e.position.x) + "," +
                    std::to_string(e.position.y));
    };
    c.OnMouseMove = [this](Control& s, const MouseEvent& e) {
      log.push_back(s.Name() + " move " + std::to_string(e.position.x) + "," +
                    std::to_string(e.position.y));
    };
    c.OnMouseUp = [this](Control& s, const MouseEvent&) { log.push_back(s.Name() + " up"); };
    c.OnClick = [this](Control& s) { log.push_back(s.Name() + " click"); };
  }
};

TEST_F(FormTest, ControlsKeepCreationOrderAndTagLookupPrefersTheNewest) {
  Image& first = form.AddImage("EQ60HzSliderImage", 29);
  Label& label = form.AddLabel("EQ60HzValueLabel", 29);
  Image& second = form.AddImage("Duplicate", 29);
  ASSERT_EQ(form.Controls().size(), 3u);
  EXPECT_EQ(first.CreationIndex(), 0u);
  EXPECT_EQ(second.CreationIndex(), 2u);
  EXPECT_EQ(form.FindImageByTag(29), &second);
  EXPECT_EQ(form.FindLabelByTag(29), &label);
  EXPECT_EQ(form.FindShapeByTag(29), nullptr);
  EXPECT_EQ(form.FindImageByTag(30), nullptr);
  EXPECT_EQ(form.Find<Label>("EQ60HzValueLabel"), &label);
  EXPECT_EQ(form.Find<Image>("EQ60HzValueLabel"), nullptr);  // right name, wrong class
  EXPECT_EQ(label.ClassName(), "TLabel");
  // Controls made after a look-up, and Tags changed later, are found too.
  Image& third = form.AddImage("Third", 29);
  EXPECT_EQ(form.FindImageByTag(29), &third);
  third.SetTag(31);
  EXPECT_EQ(form.FindImageByTag(29), &second);
  EXPECT_EQ(form.FindImageByTag(31), &third);
}

TEST_F(FormTest, ControlAtFindsGraphicControlsLaterFirstAtAnyDepth) {
  Image& back = PlacedImage("Back", {0, 0, 100, 100});
  Image& knob = PlacedImage("Knob", {10, 10, 20, 20});
  knob.SetEnabled(false);
  Shape& hidden = form.AddShape("Hidden");
  hidden.SetBounds({10, 10, 20, 20});
  hidden.Hide();
  GroupBox& box = form.AddGroupBox("Box");
  box.SetBounds({50, 50, 40, 40});
  Shape& swatch = form.AddShape("Swatch", 151, &box);
  swatch.SetBounds({5, 5, 10, 10});
  CheckBox& check = form.AddCheckBox("Check");
  check.SetBounds({0, 90, 30, 10});

  struct Case {
    Point at;
    HitTest options;
    Control* expected;
  };
  const Case cases[] = {
      {{15, 15}, {}, &knob},                           // disabled and later: found
      {{15, 15}, {.include_disabled = false}, &back},  // disabled skipped
      {{57, 57}, {}, &swatch},                         // inside the box, in box coordinates
      {{52, 52}, {}, &back},                           // box itself is not graphic
      {{52, 52}, {.include_windowed = true}, &box},
      {{5, 95}, {}, &back},  // check box is windowed
      {{5, 95}, {.include_windowed = true}, &check},
      {{100, 100}, {}, nullptr},  // right/bottom edges are outside
  };
  for (const Case& c : cases) {
    EXPECT_EQ(form.ControlAt(c.at, c.options), c.expected) << c.at.x << "," << c.at.y;
  }
  EXPECT_EQ(form.ControlAtIn(box, {57, 57}), &swatch);
  EXPECT_EQ(form.ControlAtIn(box, {15, 15}), nullptr) << "only inside the container";
  EXPECT_EQ(form.ControlAtIn(back, {15, 15}), nullptr) << "an image holds no controls";
  box.Hide();
  EXPECT_EQ(form.ControlAt({57, 57}), &back) << "children of a hidden container are not on screen";
}

TEST_F(FormTest, HookSeesEveryInputBeforeTheControlAndNeverConsumesIt) {
  form.SetPosition({200, 100});
  Image& knob = PlacedImage("Knob", {10, 10, 20, 20});
  Trace(knob);
  app.AddMouseHook([this](const HookMessage& m) {
    const char* what = m.action == MouseAction::kDown   ? "down"
                       : m.action == MouseAction::kMove ? "move"
                                                        : "up";
    log.push_back(std::string("hook ") + what + " " + std::to_string(m.screen.x) + "," +
                  std::to_string(m.screen.y));
  });
  form.MouseDown({15, 12}, MouseButton::kLeft, kShiftNone);
  form.MouseMove({60, 70}, kLeftButton);  // dragged off the control: it keeps the capture
  form.MouseUp({60, 70}, MouseButton::kLeft, kShiftNone);
  const std::vector<std::string> expected = {
      "hook down 215,112", "Knob down 5,2",   "hook move 260,170",
      "Knob move 50,60",   "hook up 260,170", "Knob up",  // released outside: no click
  };
  EXPECT_EQ(log, expected);
  EXPECT_EQ(app.CursorPos(), (Point{260, 170}));
}

TEST_F(FormTest, ClickNeedsLeftPressAndReleaseOverTheSameEnabledControl) {
  Image& button = PlacedImage("Close", {0, 0, 10, 10}, 0);
  Trace(button);
  form.MouseDown({5, 5}, MouseButton::kLeft, kShiftNone);
  form.MouseUp({6, 6}, MouseButton::kLeft, kShiftNone);
  form.MouseDown({5, 5}, MouseButton::kRight, kShiftNone);
  form.MouseUp({5, 5}, MouseButton::kRight, kShiftNone);
  EXPECT_EQ(log, (std::vector<std::string>{"Close down 5,5", "Close click", "Close up",
                                           "Close down 5,5", "Close up"}));
}

TEST_F(FormTest, InputOnDisabledControlsAndBackgroundGoesToTheForm) {
  Image& off = PlacedImage("Off", {0, 0, 10, 10});
  off.SetEnabled(false);
  Trace(off);
  std::vector<Point> form_presses;
  form.OnMouseDown = [&](Form&, const MouseEvent& e) { form_presses.push_back(e.position); };
  form.MouseDown({3, 4}, MouseButton::kLeft, kShiftNone);
  form.MouseUp({3, 4}, MouseButton::kLeft, kShiftNone);
  form.MouseDown({50, 60}, MouseButton::kLeft, kShiftNone);
  form.MouseUp({50, 60}, MouseButton::kLeft, kShiftNone);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(form_presses, (std::vector<Point>{{3, 4}, {50, 60}}));
}

TEST_F(FormTest, HookSeesInputOfStandardControlWidgetsToo) {
  GroupBox& box = form.AddGroupBox("Box");
  box.SetBounds({100, 0, 100, 100});
  RadioButton& radio = form.AddRadioButton("RadioButtonOff", 1, &box);
  radio.SetBounds({10, 20, 80, 17});
  Trace(radio);
  std::vector<Point> hooked;
  app.AddMouseHook([&](const HookMessage& m) { hooked.push_back(m.screen); });
  form.ControlMouse(radio, MouseAction::kDown, {3, 4}, MouseButton::kLeft, kShiftNone);
  EXPECT_EQ(hooked, (std::vector<Point>{{113, 24}}));
  EXPECT_EQ(log, (std::vector<std::string>{"RadioButtonOff down 3,4"}));
  EXPECT_FALSE(radio.Checked()) << "the widget reports the click itself";
}

TEST_F(FormTest, HooksCanBeRemovedWhileRunning) {
  int calls = 0;
  int id = 0;
  id = app.AddMouseHook([&](const HookMessage&) {
    ++calls;
    app.RemoveMouseHook(id);
  });
  form.MouseMove({1, 1}, kShiftNone);
  form.MouseMove({2, 2}, kShiftNone);
  EXPECT_EQ(calls, 1);
}

TEST_F(FormTest, MovingOneImageRepaintsOnlyItsOldAndNewRectangles) {
  RecordingView view;
  for (int i = 0; i < 300; ++i) PlacedImage("Image" + std::to_string(i), {i, i, 8, 8});
  Image& mover = *form.Find<Image>("Image150");
  form.SetView(&view);
  mover.SetPosition(40, 60);
  EXPECT_EQ(view.invalidated, (std::vector<Rect>{{150, 150, 8, 8}, {40, 60, 8, 8}}));

  view.invalidated.clear();
  mover.Hide();
  mover.SetPosition(0, 0);  // hidden: the position is kept, nothing is painted
  EXPECT_EQ(mover.Left(), 0);
  EXPECT_EQ(view.invalidated, (std::vector<Rect>{{40, 60, 8, 8}}));
  form.SetView(nullptr);
}

TEST_F(FormTest, ALevelBarGrowsByWideningTheControl) {
  RecordingView view;
  Image& bar = PlacedImage("MicProgressImage", {10, 10, 0, 6});
  bar.SetPicture(Picture::Filled({100, 6}, 0xFF00FF00));
  form.SetView(&view);
  bar.SetWidth(40);
  EXPECT_EQ(bar.Width(), 40);
  EXPECT_EQ(view.invalidated.back(), (Rect{10, 10, 40, 6}));
  bar.SetWidth(-5);
  EXPECT_EQ(bar.Width(), 0) << "a negative width is an empty bar";
  form.SetView(nullptr);
}

TEST_F(FormTest, ScreenCentredOnFirstShowOwnerCentredOnEveryShow) {
  app.SetScreenSize({1000, 800});
  form.SetClientSize({200, 100});
  form.SetPlacement(Placement::kScreenCenter);
  form.Show();
  EXPECT_EQ(form.Position(), (Point{400, 350}));
  form.Hide();
  form.SetPosition({0, 0});
  form.Show();
  EXPECT_EQ(form.Position(), (Point{0, 0})) << "only the first show centres";

  Form about(app, "AboutForm");
  about.SetClientSize({100, 50});
  about.SetPlacement(Placement::kOwnerCenter);
  about.Show();
  EXPECT_EQ(about.Position(), (Point{50, 25}));
  about.Hide();
  form.SetPosition({500, 500});
  about.Show();
  EXPECT_EQ(about.Position(), (Point{550, 525}));
}

TEST_F(FormTest, ShowModalReturnsTheResultAndHidesTheForm) {
  Form dialog(app, "LEDForm");
  Button& close = dialog.AddButton("ButtonClose");
  close.SetModalResult(1);
  int shows = 0;
  dialog.OnShow = [&](Form&) { ++shows; };
  app.SetModalRunner([&](Form& f) {
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Modal());
    close.Click();
  });
  EXPECT_EQ(dialog.ShowModal(), 1);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(dialog.Modal());

  app.SetModalRunner([](Form& f) { f.Close(); });
  EXPECT_EQ(dialog.ShowModal(), kModalCancel);

  RecordingView view;
  view.modal_action = [&] { dialog.SetModalResult(7); };
  dialog.SetView(&view);
  EXPECT_EQ(dialog.ShowModal(), 7);
  EXPECT_EQ(shows, 3);
  dialog.SetView(nullptr);
}

TEST_F(FormTest, ActivationIsReportedOnlyForAShownForm) {
  int activations = 0;
  form.OnActivate = [&](Form&) { ++activations; };
  form.Activate();
  form.Show();
  form.Activate();
  EXPECT_EQ(activations, 1);
}

TEST_F(FormTest, CloseActionsAndClosingTheMainFormEndsTheProgram) {
  Form other(app, "SimpleForm");
  ASSERT_EQ(app.MainForm(), &form);
  other.Show();
  other.Close();
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(app.Terminated());

  form.Show();
  form.OnClose = [](Form&, CloseAction& action) { action = CloseAction::kNone; };
  form.Close();
  EXPECT_TRUE(form.Visible());
  form.OnClose = [](Form&, CloseAction& action) { action = CloseAction::kMinimize; };
  form.Close();
  EXPECT_EQ(form.State(), WindowState::kMinimized);
  form.OnClose = nullptr;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(FormTest, SystemMoveEndsTheCurrentPress) {
  RecordingView view;
  form.SetView(&view);
  Image& background = PlacedImage("MainFormImage", {0, 0, 50, 50});
  int clicks = 0;
  background.OnClick = [&](Control&) { ++clicks; };
  background.OnMouseDown = [&](Control&, const MouseEvent& e) {
    if (e.button == MouseButton::kLeft) form.StartSystemMove();
  };
  form.MouseDown({5, 5}, MouseButton::kLeft, kShiftNone);
  form.MouseUp({5, 5}, MouseButton::kLeft, kShiftNone);
  EXPECT_EQ(view.system_moves, 1);
  EXPECT_EQ(clicks, 0) << "the window system took the press";
  form.SetView(nullptr);
}

TEST_F(FormTest, RegionIsTheUnionOfItsRectangles) {
  form.SetRegion(WindowRegion({{0, 0, 10, 10}, {20, 0, 10, 30}, {5, 5, 0, 9}}));
  EXPECT_EQ(form.Region().Rects().size(), 2u) << "empty rectangles are dropped";
  EXPECT_EQ(form.Region().Bounds(), (Rect{0, 0, 30, 30}));
  EXPECT_TRUE(form.Region().Contains({25, 25}));
  EXPECT_FALSE(form.Region().Contains({15, 5}));
}

TEST_F(FormTest, ParentMustBeAContainerOfTheSameForm) {
  Image& image = form.AddImage("NotAContainer");
  EXPECT_THROW(form.AddLabel("Child", 0, &image), std::invalid_argument);
  Form other(app, "Other");
  GroupBox& foreign = other.AddGroupBox("Foreign");
  EXPECT_THROW(form.AddLabel("Child", 0, &foreign), std::invalid_argument);
}

}  // namespace
}  // namespace audio77::toolkit::test
