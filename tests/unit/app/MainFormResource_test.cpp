// The main window's control table and the form BuildControls makes from it.
#include "app/MainFormResource.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"

namespace audio77 {
namespace {

using toolkit::ControlKind;

class MainFormResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildControls(form); }

  // What the page switch does, reduced to the design: only one page's controls
  // (and those of every page) are shown.
  void ShowOnly(int shown_page) {
    for (const ControlResource& row : MainFormControls()) {
      form.FindControl(row.name)->SetVisible(!row.hidden &&
                                             (row.page == pages::kEvery || row.page == shown_page));
    }
  }

  std::string ImageNameByTag(int tag) const {
    const toolkit::Image* image = form.FindImageByTag(tag);
    return image == nullptr ? "(none)" : image->Name();
  }

  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::Form form{app, "AudioMainForm"};
};

// The controls the window's logic names with their Tags: every one must exist
// with that class and Tag.
TEST_F(MainFormResourceTest, EveryControlOfTheTagTableHasItsClassAndTag) {
  struct Case {
    const char* name;
    ControlKind kind;
    int tag;
  };
  const ControlKind kImage = ControlKind::kImage;
  const ControlKind kLabel = ControlKind::kLabel;
  const ControlKind kShape = ControlKind::kShape;
  // Image and label of one Tag side by side.
  // clang-format off
  const Case cases[] = {
      {"CloseImage", kImage, 0}, {"MinimizeImage", kImage, 1},
      {"Menu1Image", kImage, 2}, {"Menu1Label", kLabel, 2},
      {"Menu2Image", kImage, 3}, {"Menu2Label", kLabel, 3},
      {"Menu3Image", kImage, 4}, {"Menu3Label", kLabel, 4},
      {"EQResetImage", kImage, 5}, {"EQResetLabel", kLabel, 5},
      {"D3ResetImage", kImage, 6}, {"D3ResetLabel", kLabel, 6},
      {"EQEQENImage", kImage, 7}, {"EQEQENLabel", kLabel, 7},
      {"EQ3DENImage", kImage, 8}, {"EQ3DENLabel", kLabel, 8},
      {"EQS1Image", kImage, 9}, {"EQS1Label", kLabel, 9},
      {"EQS2Image", kImage, 10}, {"EQS2Label", kLabel, 10},
      {"EQS3Image", kImage, 11}, {"EQS3Label", kLabel, 11},
      {"EQS4Image", kImage, 12}, {"EQS4Label", kLabel, 12},
      {"D3FBMImage", kImage, 13}, {"D3FBMLabel", kLabel, 13},
      {"D3AlphaImage", kImage, 14}, {"D3BetaImage", kImage, 15},
      {"EffectButtonNonImage", kImage, 16}, {"EffectNonLabel", kLabel, 16},
      {"EffectButtonTheaterImage", kImage, 17}, {"EffectTheaterLabel", kLabel, 17},
      {"EffectButtonStoneGalleryImage", kImage, 18}, {"EffectBathroomLabel", kLabel, 18},
      {"EffectButtonLivingroomImage", kImage, 19}, {"EffectLivingroomLabel", kLabel, 19},
      {"EffectButtonBathroomImage", kImage, 20}, {"EffectStoneGalleryLabel", kLabel, 20},
      {"MicBoostImage", kImage, 21}, {"MicBoostLabel", kLabel, 21},
      {"MicMuteImage", kImage, 22}, {"MicMuteLabel", kLabel, 22},
      {"PageEQImage", kImage, 23}, {"PageEQLabel", kLabel, 23},
      {"Page3DImage", kImage, 24}, {"Page3DLabel", kLabel, 24},
      {"PageEffectImage", kImage, 25}, {"PageEffectLabel", kLabel, 25},
      {"PageMicImage", kImage, 26}, {"PageMicLabel", kLabel, 26},
      {"PageVirtual7p1Image", kImage, 27}, {"PageVirtual7p1Label", kLabel, 27},
      {"SyncImage", kImage, 28}, {"SyncLabel", kLabel, 28},
      {"EQ60HzValueLabel", kLabel, 29}, {"EQ12000HzValueLabel", kLabel, 33},
      {"D3LBetaSliderImage", kImage, 34}, {"D3LBetaValueLabel", kLabel, 34},
      {"D3LAlphaSliderImage", kImage, 35}, {"D3LAlphaValueLabel", kLabel, 35},
      {"D3RBetaSliderImage", kImage, 36}, {"D3RBetaValueLabel", kLabel, 36},
      {"D3RAlphaSliderImage", kImage, 37}, {"D3RAlphaValueLabel", kLabel, 37},
      {"MicSliderImage", kImage, 38}, {"MicValueLabel", kLabel, 38},
      {"ENCValueLabel", kLabel, 38},
      {"VirtualLImage", kImage, 39}, {"VirtualRImage", kImage, 40},
      {"VirtualCImage", kImage, 41}, {"VirtualSUBImage", kImage, 42},
      {"VirtualLSImage", kImage, 43}, {"VirtualRSImage", kImage, 44},
      {"VirtualLBImage", kImage, 45}, {"VirtualRBImage", kImage, 46},
      {"VirtualEnableImage", kImage, 47}, {"VirtualENLabel", kLabel, 47},
      {"VirtualResetImage", kImage, 48}, {"VirtualResetLabel", kLabel, 48},
      {"VirtualClockwiseImage", kImage, 49}, {"VirtualClockwiseLabel", kLabel, 49},
      {"VirtualCounterclockwiseImage", kImage, 50},
      {"VirtualCounterclockwiseLabel", kLabel, 50},
      {"LEDImage", kImage, 51},
      {"VirtualNarrowImage", kImage, 52}, {"VirtualNarrowLabel", kLabel, 52},
      {"VirtualEnlargeImage", kImage, 53}, {"VirtualEnlargeLabel", kLabel, 53},
      {"DeviceInImage", kImage, 54}, {"DeviceInLabel", kLabel, 54},
      {"DeviceOutImage", kImage, 55}, {"DeviceOutLabel", kLabel, 55},
      {"ENCSliderImage", kImage, 88},
      {"MicMonitorImage", kImage, 89}, {"MicMonitorLabel", kLabel, 89},
      {"MicBarImage", kImage, 138}, {"ENCBarImage", kImage, 188},
      {"PageVMEffectImage", kImage, 226}, {"PageVMEffectLabel", kLabel, 226},
      {"PageENCImage", kImage, 227}, {"PageENCLabel", kLabel, 227},
      {"PageLEDImage", kImage, 228}, {"PageLEDLabel", kLabel, 228},
      {"MicBarDownImage", kImage, 238},
      {"ENCFunctionImage", kImage, 338}, {"VMFunctionImage", kImage, 338},
      {"D33DENImage", kImage, 0}, {"D33DENLabel", kLabel, 0},
      // LED page.
      {"Color01Shape", kShape, 151}, {"Color07Shape", kShape, 157},
      {"Color08Shape", kShape, 158}, {"Color10Shape", kShape, 160},
      {"ColorBreatheShape", kShape, 183}, {"ColorSingleShape", kShape, 184},
      {"ColorPulsatingBarImage", kImage, 237}, {"ColorBreatheBarImage", kImage, 238},
      {"ColorRainbowBarImage", kImage, 239},
      {"ColorPulsatingCheckImage", kImage, 337}, {"ColorBreatheCheckImage", kImage, 338},
      {"ColorRainbowCheckImage", kImage, 339}, {"ColorLEDOffCheckImage", kImage, 340},
      {"ColorSingleCheckImage", kImage, 341},
      {"ColorPulsatingSliderImage", kImage, 437}, {"ColorBreatheSliderImage", kImage, 438},
      {"ColorRainbowSliderImage", kImage, 439},
      {"BeeCheckBox", ControlKind::kCheckBox, 0},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const toolkit::Control* control = form.FindControl(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Kind(), c.kind);
    EXPECT_EQ(control->Tag(), c.tag);
  }
}

// A knob t has its bar at t + 100 and its fill at t + 200, each found by Tag
// on the built form (the hook and the fill resizing rely on it).
TEST_F(MainFormResourceTest, SliderPartsAreFoundFromTheKnobTag) {
  struct Case {
    int knob;
    const char* knob_name;
    const char* bar_name;
    const char* fill_name;  // empty: no fill
  };
  const Case cases[] = {
      {29, "EQ60HzSliderImage", "EQ60HzBarImage", "EQ60HzBarDownImage"},
      {30, "EQ300HzSliderImage", "EQ300HzBarImage", "EQ300HzBarDownImage"},
      {31, "EQ1200HzSliderImage", "EQ1200HzBarImage", "EQ1200HzBarDownImage"},
      {32, "EQ3600HzSliderImage", "EQ3600HzBarImage", "EQ3600HzBarDownImage"},
      {33, "EQ12000HzSliderImage", "EQ12000HzBarImage", "EQ12000HzBarDownImage"},
      {38, "MicSliderImage", "MicBarImage", "MicBarDownImage"},
      {88, "ENCSliderImage", "ENCBarImage", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.knob_name);
    EXPECT_EQ(ImageNameByTag(c.knob), c.knob_name);
    EXPECT_EQ(ImageNameByTag(c.knob + 100), c.bar_name);
    if (*c.fill_name != '\0') {
      EXPECT_EQ(ImageNameByTag(c.knob + 200), c.fill_name);
    }
    // The knob is on top of its bar and fill: a press on its centre reaches it.
    ShowOnly(FindControlResource(c.knob_name)->page);
    const toolkit::Rect knob = form.FindControl(c.knob_name)->ClientRect();
    const toolkit::Control* hit =
        form.ControlAt({knob.left + knob.width / 2, knob.top + knob.height / 2});
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->Name(), c.knob_name);
  }
}

TEST_F(MainFormResourceTest, SharedTagLookupsFindTheDocumentedControl) {
  EXPECT_EQ(ImageNameByTag(0), "CloseImage");
  EXPECT_EQ(ImageNameByTag(238), "MicBarDownImage");
  EXPECT_EQ(ImageNameByTag(338), "ColorBreatheCheckImage");
  ASSERT_NE(form.FindLabelByTag(38), nullptr);
  EXPECT_EQ(form.FindLabelByTag(38)->Name(), "MicValueLabel");
  // The table's own look-up answers as the form does.
  for (int tag : {0, 38, 238, 338}) {
    SCOPED_TRACE(tag);
    const ControlResource* row = FindControlResourceByTag(ControlKind::kImage, tag);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->name, ImageNameByTag(tag));
  }
  EXPECT_EQ(FindControlResourceByTag(ControlKind::kImage, 999), nullptr);
}

// A label with a Tag passes its presses to the image with that Tag; a button
// caption must lie over its image and be the control a press on it reaches.
TEST_F(MainFormResourceTest, TaggedLabelsHaveTheirImageAndSitOnTopOfIt) {
  for (const ControlResource& row : MainFormControls()) {
    if (row.kind != ResourceKind::kLabel || row.tag == 0) continue;
    SCOPED_TRACE(std::string(row.name));
    const toolkit::Image* image = form.FindImageByTag(row.tag);
    ASSERT_NE(image, nullptr);
    if (!row.centered || row.hidden || row.tag == 24) continue;
    const toolkit::Image* own = form.Find<toolkit::Image>(image->Name());
    const toolkit::Rect label = form.FindControl(row.name)->ClientRect();
    const toolkit::Point centre{label.left + label.width / 2, label.top + label.height / 2};
    if (!own->ClientRect().Contains(centre)) continue;  // a value label under its slider
    ShowOnly(row.page);
    const toolkit::Control* hit = form.ControlAt(centre);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->Name(), row.name);
  }
}

TEST_F(MainFormResourceTest, BuildsEveryRowInOrderWithItsDesign) {
  const auto rows = MainFormControls();
  ASSERT_EQ(form.Controls().size(), rows.size());
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlResource& row = rows[i];
    const toolkit::Control& control = *form.Controls()[i];
    SCOPED_TRACE(std::string(row.name));
    EXPECT_TRUE(names.insert(row.name).second) << "duplicate name";
    EXPECT_EQ(control.Name(), row.name);
    EXPECT_EQ(control.CreationIndex(), i);
    EXPECT_EQ(CreationIndexOf(row.name), i);
    EXPECT_EQ(FindControlResource(row.name), &row);
    EXPECT_EQ(control.Kind(), ToolkitKindOf(row.kind));
    EXPECT_EQ(control.Tag(), row.tag);
    EXPECT_EQ(control.Bounds(), row.rect);
    EXPECT_EQ(control.Visible(), !row.hidden);
    EXPECT_EQ(control.Enabled(), !row.disabled);
    if (const auto* label = dynamic_cast<const toolkit::Label*>(&control)) {
      EXPECT_EQ(label->Caption(), row.caption);
    }
    // Inside the design window (the directory list has no place).
    if (row.kind != ResourceKind::kDirectoryList) {
      EXPECT_GE(row.rect.left, 0);
      EXPECT_GE(row.rect.top, 0);
      EXPECT_LE(row.rect.Right(), kMainFormDesignSize.width);
      EXPECT_LE(row.rect.Bottom(), kMainFormDesignSize.height);
    }
  }
  EXPECT_EQ(form.ClientSize(), kMainFormDesignSize);
  EXPECT_EQ(FindControlResource("NoSuchImage"), nullptr);
  EXPECT_EQ(CreationIndexOf("NoSuchImage"), rows.size());

  // The captions quoted for the buttons, the check box's caption and place.
  EXPECT_EQ(form.Find<toolkit::Label>("Menu1Label")->Caption(), "Save");
  EXPECT_EQ(form.Find<toolkit::Label>("VirtualENLabel")->Caption(), "7ch1-EN");
  const auto* bee = form.Find<toolkit::CheckBox>("BeeCheckBox");
  ASSERT_NE(bee, nullptr);
  EXPECT_EQ(bee->Caption(), "Bee");
  EXPECT_EQ(bee->Bounds(), (toolkit::Rect{655, 417, 46, 17}));
  EXPECT_FALSE(form.FindControl("Page3DLabel")->Enabled());
  EXPECT_FALSE(form.FindControl("BeeImage")->Visible());
}

TEST_F(MainFormResourceTest, RefusesAFormThatAlreadyHasControls) {
  EXPECT_THROW(BuildControls(form), std::logic_error);
  EXPECT_EQ(form.Controls().size(), MainFormControls().size());
}

// Two buttons of one page must not cover each other: a copied rectangle would
// make one of them unreachable. Parts of one slider (same Tag modulo 100) and
// controls of different pages may overlap.
TEST_F(MainFormResourceTest, TaggedImagesOfOnePageDoNotOverlap) {
  const auto rows = MainFormControls();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      const ControlResource& a = rows[i];
      const ControlResource& b = rows[j];
      if (a.kind != ResourceKind::kImage || b.kind != ResourceKind::kImage) continue;
      if (a.tag == 0 || b.tag == 0 || a.hidden || b.hidden) continue;
      if (a.page != b.page && a.page != pages::kEvery && b.page != pages::kEvery) continue;
      if (a.tag % 100 == b.tag % 100) continue;
      EXPECT_TRUE(a.rect.Intersected(b.rect).Empty()) << a.name << " overlaps " << b.name;
    }
  }
}

TEST_F(MainFormResourceTest, EveryRowThatActsNamesWhatItRunsAndEveryLabelReachesAnImageThatActs) {
  for (const ControlResource& row : MainFormControls()) {
    SCOPED_TRACE(std::string(row.name));
    switch (row.behaviour) {
      case Behaviour::kPress:
      case Behaviour::kHold:
        EXPECT_NE(row.action, Action::kNone) << "a press that runs nothing";
        break;
      case Behaviour::kForward:
      case Behaviour::kForwardPress: {
        EXPECT_EQ(row.kind, ResourceKind::kLabel);
        const toolkit::Image* image = form.FindImageByTag(row.tag);
        ASSERT_NE(image, nullptr);
        const ControlResource* target = FindControlResource(image->Name());
        ASSERT_NE(target, nullptr);
        EXPECT_NE(target->behaviour, Behaviour::kNone) << image->Name();
        // A label that forwards its click forwards to a button whose click acts.
        if (row.behaviour == Behaviour::kForward) {
          EXPECT_NE(target->action, Action::kNone) << image->Name();
        }
        break;
      }
      case Behaviour::kTab:
      case Behaviour::kTabKeptDown:
      case Behaviour::kSelectPage:
        EXPECT_NE(row.tag, 0) << "a tab is found by its Tag";
        break;
      default:
        break;
    }
    // Only the table's own arguments travel with an action.
    if (row.arg != 0) {
      EXPECT_NE(row.action, Action::kNone);
    }
  }
}

}  // namespace
}  // namespace audio77
