#include <filesystem>
#include <fstream>
#include <limits>

#include "ToolkitFixture.h"
#include "support/TempDir.h"

namespace audio77::toolkit::test {
namespace {

class ControlsTest : public ToolkitTest {
 protected:
  Form form{app, "Form"};
};

TEST_F(ControlsTest, ImageAutoSizeFollowsThePictureAndOtherwiseKeepsItsSize) {
  Image& image = form.AddImage("Logo");
  image.SetBounds({5, 6, 30, 40});
  image.SetPicture(Picture::Filled({12, 8}, 0xFF112233));
  EXPECT_EQ(image.Bounds(), (Rect{5, 6, 30, 40}))
      << "without automatic sizing the control keeps its size";
  image.SetAutoSize(true);
  EXPECT_EQ(image.Bounds(), (Rect{5, 6, 12, 8}));
  image.SetPicture(Picture::Filled({3, 4}, 0xFF000000));
  EXPECT_EQ(image.Bounds(), (Rect{5, 6, 3, 4}));
  image.ClearPicture();
  EXPECT_EQ(image.Bounds(), (Rect{5, 6, 3, 4})) << "no picture, no size to take";
}

TEST_F(ControlsTest, LabelSizesItselfToItsTextUnlessWrapping) {
  Label& label = form.AddLabel("AboutLabel");
  Font font;
  font.size_points = 15;  // 20 pixels: 11 px per character, 24 px per line in the estimate
  label.SetFont(font);
  label.SetCaption("abcd");
  EXPECT_EQ(label.Bounds(), (Rect{0, 0, 44, 24}));
  label.SetCaption("ab\nabcdef");
  EXPECT_EQ(label.Bounds(), (Rect{0, 0, 66, 48}));

  label.SetWordWrap(true);
  label.SetWidth(22);
  label.SetCaption("abcdef");  // 66 px of text in 22 px: three lines, width kept
  EXPECT_EQ(label.Bounds(), (Rect{0, 0, 22, 72}));

  label.SetAutoSize(false);
  label.SetCaption("a much longer caption");
  EXPECT_EQ(label.Bounds(), (Rect{0, 0, 22, 72}));
}

TEST_F(ControlsTest, PlacesFromFilesAreHeldWithinReach) {
  Label& label = form.AddLabel("FarLabel");
  label.SetCaption("far");
  struct Case {
    Rect asked, held;
  };
  const int far = Control::kFarthest;
  const int max = std::numeric_limits<int>::max();
  const int min = std::numeric_limits<int>::min();
  const Case cases[] = {
      {{10, 20, 30, 40}, {10, 20, 30, 40}},
      {{max, max, max, max}, {far, far, far, far}},
      {{min, min, min, min}, {-far, -far, 0, 0}},
      {{max - 5, 0, 100, 10}, {far, 0, 100, 10}},
  };
  for (const Case& c : cases) {
    label.SetAutoSize(false);
    label.SetBounds(c.asked);
    EXPECT_EQ(label.Bounds(), c.held);
    // Hit tests and repaints add edges together: nothing overflows.
    EXPECT_EQ(form.ControlAt({label.Bounds().Right() - 1, label.Bounds().Bottom() - 1}) == &label,
              !label.Bounds().Empty());
  }
}

TEST(Font, PixelSizeWinsOverPoints) {
  struct Case {
    int points;
    int pixels;
    int expected;
  };
  const Case cases[] = {{8, 0, 11}, {9, 0, 12}, {15, 0, 20}, {15, 19, 19}, {0, 0, 0},
                        // Language files may hold any size.
                        {-12, 0, 0}, {2147483647, 0, 4096}, {8, 2147483647, 4096}};
  for (const Case& c : cases) {
    Font font;
    font.size_points = c.points;
    font.size_pixels = c.pixels;
    EXPECT_EQ(font.PixelHeight(), c.expected) << c.points << "pt " << c.pixels << "px";
  }
}

TEST_F(ControlsTest, LabelColourChangeRepaintsWithoutResizing) {
  RecordingView view;
  Label& label = form.AddLabel("DeviceActiveLabel");
  label.SetCaption("Active");
  const Rect before = label.Bounds();
  form.SetView(&view);
  label.SetFontColor(0x0000FF);
  EXPECT_EQ(label.GetFont().color, 0x0000FFu);
  EXPECT_EQ(label.Bounds(), before);
  EXPECT_EQ(view.invalidated, (std::vector<Rect>{before}));
  form.SetView(nullptr);
}

TEST_F(ControlsTest, ShapeOutlineKeepsCirclesAndSquaresRound) {
  Shape& shape = form.AddShape("Color01Shape", 151);
  shape.SetBounds({0, 0, 40, 20});
  struct Case {
    ShapeType type;
    Rect outline;
  };
  const Case cases[] = {
      {ShapeType::kCircle, {10, 0, 20, 20}},      {ShapeType::kSquare, {10, 0, 20, 20}},
      {ShapeType::kRoundSquare, {10, 0, 20, 20}}, {ShapeType::kEllipse, {0, 0, 40, 20}},
      {ShapeType::kRectangle, {0, 0, 40, 20}},    {ShapeType::kRoundRect, {0, 0, 40, 20}},
  };
  for (const Case& c : cases) {
    shape.SetType(c.type);
    EXPECT_EQ(shape.Outline(), c.outline) << static_cast<int>(c.type);
  }
  shape.SetPen(0x00F0CAA6, -3);
  EXPECT_EQ(shape.PenWidth(), 0);
}

TEST_F(ControlsTest, CheckBoxClickFlipsThenNotifiesButSettingIsQuiet) {
  CheckBox& box = form.AddCheckBox("BeeCheckBox");
  std::vector<bool> seen;
  box.OnClick = [&](Control& c) { seen.push_back(static_cast<CheckBox&>(c).Checked()); };
  box.SetChecked(true);
  box.Click();
  box.Click();
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST_F(ControlsTest, RadioButtonsUncheckTheirGroupOnly) {
  GroupBox& effects = form.AddGroupBox("Effect");
  GroupBox& leds = form.AddGroupBox("LEDNumber");
  RadioButton& off = form.AddRadioButton("RadioButtonOff", 1, &effects);
  RadioButton& on = form.AddRadioButton("RadioButtonOn", 2, &effects);
  RadioButton& other_group = form.AddRadioButton("Other", 9, &effects);
  other_group.SetGroupIndex(1);
  RadioButton& all = form.AddRadioButton("RadioButtonAllLED", 0, &leds);
  off.SetChecked(true);
  other_group.SetChecked(true);
  all.SetChecked(true);
  int clicks = 0;
  on.OnClick = [&](Control&) { ++clicks; };
  on.Click();
  on.Click();  // already checked: nothing
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(on.Checked());
  EXPECT_FALSE(off.Checked());
  EXPECT_TRUE(other_group.Checked());
  EXPECT_TRUE(all.Checked());
}

TEST_F(ControlsTest, TrackBarKeepsPositionInRangeAndReportsUserMoves) {
  TrackBar& bar = form.AddTrackBar("TrackBarBreathe", 4);
  std::vector<int> changes;
  bar.OnChange = [&](TrackBar& b) { changes.push_back(b.Position()); };
  bar.SetRange(255, 1);
  EXPECT_EQ(bar.Min(), 1);
  EXPECT_EQ(bar.Max(), 255);
  bar.SetPosition(0);
  EXPECT_EQ(bar.Position(), 1);
  bar.MoveTo(300);
  bar.MoveTo(400);  // still 255: no change to report
  bar.MoveTo(7);
  bar.SetRange(1, 6);
  EXPECT_EQ(bar.Position(), 6);
  EXPECT_EQ(changes, (std::vector<int>{255, 7}));
}

TEST_F(ControlsTest, RadioGroupSelectionAndDisabledGroup) {
  RadioGroup& group = form.AddRadioGroup("EffectModeRadioGroup");
  group.SetItems({"None", "Music", "Game", "Movie"});
  group.SetItemIndex(0);
  int clicks = 0;
  group.OnClick = [&](Control&) { ++clicks; };
  group.Select(2);
  group.Select(2);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  group.SetItemIndex(9);
  EXPECT_EQ(group.ItemIndex(), -1) << "out of range clears";
  group.SetItemIndex(3);
  group.SetItems({"One"});
  EXPECT_EQ(group.ItemIndex(), -1);
  group.SetEnabled(false);
  group.Select(0);
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, DirectoryListGivesSubFoldersAsFullPathsAlphabetically) {
  audio77::test::TempDir dir;
  for (const char* name : {"beta", "Alpha", "gamma", "alpha2"})
    std::filesystem::create_directories(dir.path() / name);
  dir.Write("zeta.txt", "a file, not a folder");
  DirectoryList& list = form.AddDirectoryList("DirectoryListBox");
  list.Hide();
  list.SetDirectory(dir.path().string());
  const auto p = [&](const char* n) { return (dir.path() / n).string(); };
  EXPECT_EQ(list.Items(),
            (std::vector<std::string>{p("Alpha"), p("alpha2"), p("beta"), p("gamma")}));
  std::filesystem::create_directories(dir.path() / "delta");
  list.Refresh();
  EXPECT_EQ(list.Items().size(), 5u);
  list.SetDirectory((dir.path() / "missing").string());
  EXPECT_TRUE(list.Items().empty());
}

TEST_F(ControlsTest, StandardControlsTellTheViewWhenTheyChange) {
  RecordingView view;
  form.SetView(&view);
  CheckBox& box = form.AddCheckBox("Check");
  TrackBar& bar = form.AddTrackBar("Bar");
  view.state_changes.clear();
  box.SetChecked(true);
  bar.SetPosition(5);
  box.SetLeft(3);
  box.Hide();
  EXPECT_EQ(view.state_changes, (std::vector<Control*>{&box, &bar, &box, &box}));
  EXPECT_TRUE(view.invalidated.empty()) << "standard controls paint themselves";
  form.SetView(nullptr);
}

}  // namespace
}  // namespace audio77::toolkit::test
