// Virtual 7.1 alone on the virtual device: the animation latches and their
// timer, the layout and the block it becomes, drags, the bee test's stage,
// the library calls of each step and the switch-off when 3D takes over.
#include "features/Virtual71.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "FeatureFixture.h"
#include "PlacementTraffic.h"
#include "features/BeeTest.h"
#include "toolkit/ManualLoopDriver.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using test::Library;
using test::Placements;
using Strings = std::vector<std::string>;

constexpr int kCw = Virtual71::kClockwiseTag;
constexpr int kCcw = Virtual71::kCounterClockwiseTag;
constexpr int kNarrow = Virtual71::kNarrowTag;
constexpr int kEnlarge = Virtual71::kEnlargeTag;
constexpr int kCTag = Virtual71::kFirstSpeakerTag + SpeakerLayout::Index(Speaker::kC);
constexpr double kPi = SpeakerLayout::kPi;
constexpr double kDegree = SpeakerAnimation::kAngleStep;

int Index(Speaker speaker) { return SpeakerLayout::Index(speaker); }

// The first word after the entry: the switch each call sent.
Strings Switches(const Strings& traffic) {
  Strings out;
  for (const auto& line : Library(traffic, "DLLQK_SetVirtual7ch1_OnOff ")) out.push_back(line.substr(27, 1));
  return out;
}

// A feature on the bundled skins' circle, its timer driven by the manual clock.
struct Page : FeatureFixture<Virtual71> {
  toolkit::ManualLoopDriver driver{loop_, Clock()};
  Virtual71& v() { return *feature; }
  // The enable on, the built-in layout measured, then one latch.
  void Animate(int latch) {
    v().ToggleEnable();
    v().ResetVirtual();
    v().PressAnimationSwitch(latch);
    Take();
  }
};

TEST(Virtual71, AtMostOneAnimationLatchIsOnAndRotationNeedsTheEnable) {
  struct Case {
    bool enabled;
    std::vector<int> presses;
    std::array<int, 4> latches;  // cw, ccw, narrow, enlarge
  };
  const Case cases[] = {
      {false, {kCw}, {0, 0, 0, 0}},  // rotation refuses without the enable
      {false, {kNarrow}, {0, 0, 1, 0}},
      {true, {kCw}, {1, 0, 0, 0}},
      {true, {kCw, kCcw}, {0, 1, 0, 0}},
      {true, {kNarrow, kEnlarge, kCw}, {1, 0, 0, 0}},
      {true, {kEnlarge, kEnlarge}, {0, 0, 0, 0}},  // a second press releases it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.enabled << " " << c.presses.size());
    FeatureFixture<Virtual71> f;
    if (c.enabled) f.feature->ToggleEnable();
    for (int tag : c.presses) f.feature->PressAnimationSwitch(tag);
    const std::array<int, 4> latches{f.feature->Latch(kCw), f.feature->Latch(kCcw), f.feature->Latch(kNarrow),
                                     f.feature->Latch(kEnlarge)};
    EXPECT_EQ(latches, c.latches);
    for (int tag : {kCw, kCcw, kNarrow, kEnlarge}) {
      if (f.view.switches.count(tag) != 0) {
        EXPECT_EQ(f.view.switches[tag], f.feature->Latch(tag)) << tag;
      }
    }
    // The timer runs exactly while a latch is on.
    EXPECT_EQ(f.feature->Animating(), (c.latches != std::array<int, 4>{}));
    EXPECT_TRUE(f.Take().empty()) << "the latches alone send nothing";
  }
}

TEST(Virtual71, ResetSendsTheBuiltInLayoutAsOneBlockOfDistancesAndAngles) {
  struct Case {
    std::int32_t radius;
    float c_distance, sub_distance;
  };
  // A skin without a usable circle gives distance 0, never a division by zero.
  for (const Case& c : {Case{120, 1.36f, 0.85f}, Case{0, 0.0f, 0.0f}, Case{-40, 0.0f, 0.0f}}) {
    SCOPED_TRACE(c.radius);
    Page f;
    f.speaker_view.circle.radius = c.radius;
    f.v().ToggleEnable();
    f.v().ResetVirtual();
    const Strings traffic = f.Take();
    EXPECT_EQ(Switches(traffic), Strings{"1"}) << Joined(traffic);
    const auto blocks = Placements(traffic);
    ASSERT_EQ(blocks.size(), 1u) << Joined(traffic);
    const PlacementBlock::Fields& block = blocks[0];
    EXPECT_EQ(block.enable, 1);
    EXPECT_NEAR(block.distance[Index(Speaker::kC)], c.c_distance, 1e-4);
    EXPECT_NEAR(block.distance[Index(Speaker::kSub)], c.sub_distance, 1e-4);
    for (int i = 0; i < kSpeakerCount; ++i) {
      EXPECT_TRUE(std::isfinite(block.angle[i])) << i;
      EXPECT_EQ(f.speaker_view.icons[i], f.v().Layout().Positions()[i]) << "the icon shows where the speaker is";
    }
    if (c.radius == 120) {
      EXPECT_NEAR(block.angle[Index(Speaker::kC)], kPi / 2, 1e-5);
      EXPECT_NEAR(block.angle[Index(Speaker::kLS)], kPi, 1e-5);
      EXPECT_NEAR(block.angle[Index(Speaker::kRS)], 0.0, 1e-5);
      EXPECT_EQ(f.speaker_view.icons[Index(Speaker::kC)], (SpeakerPosition{364, 168}));
    }
  }
}

TEST(Virtual71, TheDefaultProfilePlacesEachSpeakerItNamesWellAndTheGeometryTheRest) {
  Page f;
  const std::map<std::string, std::string> keys = {
      {"L", "300,200"},        // taken
      {"C", "abc,1"},          // broken: the geometry's place
      {"SUB", "10000,-10000"}, // kept in the circle's box
      {"LS", "270"},           // half a position: the geometry's place
  };
  f.v().UseDefaultProfile([&keys](const std::string& key) {
    const auto found = keys.find(key);
    return found == keys.end() ? std::string() : found->second;
  });
  f.v().LayoutSpeakers();
  const SpeakerPositions geometry = SpeakerLayout::DefaultGeometry(f.speaker_view.circle);
  SpeakerPositions expected = geometry;
  expected[Index(Speaker::kL)] = {300, 200};
  expected[Index(Speaker::kSub)] = {484, 144};
  for (int i = 0; i < kSpeakerCount; ++i) EXPECT_EQ(f.speaker_view.icons[i], expected[i]) << i;
  EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], 0) << "the enable image shows the enable";
  EXPECT_TRUE(f.Take().empty()) << "laying out sends nothing";
}

TEST(Virtual71, ADragMovesTheIconInsideTheCircleAndThePictureStopsTheAnimationAndSendsTheLayout) {
  const SpeakerPosition c_home{364, 168};
  struct Case {
    const char* what;
    SpeakerPosition proposed;
    SpeakerBox area;
    SpeakerPosition after;
    bool sent;
  };
  const SpeakerBox bundled{196, 96, 336, 336};
  const Case cases[] = {
      {"inside", {400, 200}, bundled, {400, 200}, true},
      {"on the edge", {364, 144}, bundled, {364, 144}, true},
      {"outside the circle", {364 + 121, 264}, bundled, c_home, false},
      // The picture keeps the icon 10 pixels inside: the left is refused, the top taken.
      {"past the picture's left", {300, 200}, {300, 96, 336, 336}, {364, 200}, true},
      {"past the picture's bottom", {364, 380}, {196, 96, 336, 300}, {364, 168}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Page f;
    f.speaker_view.area = c.area;
    f.Animate(kCw);
    ASSERT_TRUE(f.v().Animating());
    f.v().DragSpeaker(kCTag, c.proposed.left, c.proposed.top);
    EXPECT_EQ(f.speaker_view.icons[Index(Speaker::kC)], c.after);
    EXPECT_EQ(f.v().Layout().Position(Speaker::kC), c.after);
    const Strings traffic = f.Take();
    EXPECT_EQ(Switches(traffic), c.sent ? Strings{"1"} : Strings{}) << Joined(traffic);
    const auto blocks = Placements(traffic);
    ASSERT_EQ(blocks.size(), c.sent ? 1u : 0u);
    // A refused move leaves the animation running; a move stops it until the release.
    EXPECT_EQ(f.v().Animating(), !c.sent);
    if (!c.sent) continue;
    const PolarRecord& record = f.v().Layout().Records()[Index(Speaker::kC)];
    EXPECT_FLOAT_EQ(blocks[0].angle[Index(Speaker::kC)], record.angle) << "measured into the main records";
    f.driver.Advance(100);
    EXPECT_TRUE(f.Take().empty()) << "nothing rotates during the drag";
    f.v().SpeakerReleased();
    EXPECT_TRUE(f.v().Animating());
    f.driver.Advance(20);
    EXPECT_EQ(Placements(f.Take()).size(), 1u) << "the release lets the rotation go on";
  }
}

TEST(Virtual71, EachTickWithASwitchOnStepsTheIconsAndSendsTheLayout) {
  Page f;
  f.Animate(kCw);
  const PolarRecord before = f.v().Layout().Records()[Index(Speaker::kC)];
  f.driver.Advance(100);  // five ticks
  const Strings traffic = f.Take();
  EXPECT_EQ(Switches(traffic), Strings(5, "1")) << Joined(traffic);
  const auto blocks = Placements(traffic);
  ASSERT_EQ(blocks.size(), 5u);
  // The records went on by five degrees; the icons, and so the device, trail by one.
  EXPECT_NEAR(f.v().Layout().Records()[Index(Speaker::kC)].angle, before.angle + 5 * kDegree, 1e-5);
  EXPECT_NEAR(blocks.back().angle[Index(Speaker::kC)], before.angle + 4 * kDegree, 0.02);
  EXPECT_LT(f.speaker_view.icons[Index(Speaker::kC)].left, 364) << "counter-clockwise on screen";
  EXPECT_EQ(f.v().Layout().Records()[Index(Speaker::kC)].radius, before.radius) << "the main radii stay";

  // Narrowing at its limit still sends every tick.
  f.v().PressAnimationSwitch(kNarrow);
  f.driver.Advance(20 * 100);
  f.Take();
  f.driver.Advance(40);
  EXPECT_EQ(Placements(f.Take()).size(), 2u);
  // The last latch released: no timer is left to wake the window.
  f.v().PressAnimationSwitch(kNarrow);
  EXPECT_FALSE(f.v().Animating());
  EXPECT_FALSE(f.loop_.NextDueMs().has_value());
  f.driver.Advance(1000);
  EXPECT_TRUE(f.Take().empty());
}

TEST(Virtual71, WithoutADeviceNothingMovesNothingIsSentAndTheTimerSleeps) {
  Page f;
  f.Animate(kCw);
  // The device left: removal shows the enable off and keeps the latch.
  f.Session().SetActive(false);
  f.v().OnRemoved();
  EXPECT_FALSE(f.v().Animating());
  EXPECT_EQ(f.v().Latch(kCw), 1);
  const auto icons = f.speaker_view.icons;
  f.driver.Advance(200);
  EXPECT_TRUE(f.Take().empty());
  EXPECT_EQ(f.speaker_view.icons, icons);
  // The next activation lets it run again.
  f.Session().SetActive(true);
  f.v().SendAtActivation();
  EXPECT_TRUE(f.v().Animating());
  f.Take();
  // A device that becomes inactive without a removal: one tick notices and the timer stops.
  f.Session().SetActive(false);
  f.driver.Advance(100);
  EXPECT_TRUE(f.Take().empty());
  EXPECT_FALSE(f.v().Animating());
}

TEST(Virtual71, ThreeDTakingOverSwitchesOffInTheLibraryAndHidesTheRunningRotation) {
  FeatureFixture<Virtual71> f;
  f.feature->ToggleEnable();
  f.feature->PressAnimationSwitch(kCw);
  f.Take();
  f.feature->SwitchOffFor3D();
  const Strings traffic = f.Take();
  EXPECT_EQ(Switches(traffic), Strings{"0"}) << Joined(traffic);
  ASSERT_EQ(Placements(traffic).size(), 1u) << Joined(traffic);
  EXPECT_EQ(Placements(traffic)[0].enable, 0);
  EXPECT_EQ(Library(traffic, "DLLQK_SetVirtual7ch1_Scalar").size(), 1u) << Joined(traffic);
  EXPECT_EQ(f.feature->Enabled(), 0);
  EXPECT_EQ(f.feature->Latch(kCw), 0);
  EXPECT_FALSE(f.feature->Animating());
  EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], 0);
  EXPECT_FALSE(f.view.visible[Virtual71::kEnableTag]);
  EXPECT_FALSE(f.view.visible[kCw]);
  // The latch that was not running keeps its picture where it is.
  EXPECT_EQ(f.view.visible.count(kCcw), 0u);
}

TEST(Virtual71, TheSwitchGoingOffReleasesTheRotationButNotTheScaling) {
  for (const int latch : {kCw, kCcw, kNarrow}) {
    SCOPED_TRACE(latch);
    Page f;
    f.Animate(latch);
    f.v().ToggleEnable();
    f.v().ApplyToggle();
    const Strings traffic = f.Take();
    EXPECT_EQ(Switches(traffic), Strings{"0"}) << Joined(traffic);
    EXPECT_EQ(Placements(traffic).size(), 1u);
    EXPECT_EQ(f.v().Latch(latch), latch == kNarrow ? 1 : 0);
    EXPECT_EQ(f.v().Animating(), latch == kNarrow);
  }
}

TEST(Virtual71, ActivationRetriesEachLibraryCallOnce) {
  struct Case {
    const char* faults;
    std::size_t switches, blocks, scales;
  };
  const Case cases[] = {
      {"", 1, 1, 1},
      {"[Faults]\nDLLQK_SetVirtual7ch1_OnOff=1\n", 2, 1, 1},
      {"[Faults]\nDLLQK_SetVirtual7ch1=1\n", 1, 2, 1},
      {"[Faults]\nDLLQK_SetVirtual7ch1_Scalar=5\n", 1, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults);
    FeatureFixture<Virtual71> f(c.faults);
    f.feature->SetDefaultEnable(1);
    f.feature->TakeDefaultEnable();
    f.feature->SendAtActivation();
    const Strings traffic = f.Take();
    EXPECT_EQ(Switches(traffic), Strings(c.switches, "1")) << Joined(traffic);
    EXPECT_EQ(Library(traffic, "DLLQK_SetVirtual7ch1 ").size(), c.blocks) << Joined(traffic);
    EXPECT_EQ(Library(traffic, "DLLQK_SetVirtual7ch1_Scalar").size(), c.scales);
    EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], 1);
  }
}

TEST(Virtual71, ResetAndShutdownFollowTheEnableOnlyWhileTheDeviceIsActive) {
  Page f;
  f.v().ToggleEnable();
  f.v().ResetVirtual();
  EXPECT_EQ(Switches(f.Take()), Strings{"1"});
  f.v().DragSpeaker(kCTag, 400, 200);
  f.Take();
  // Shutdown: off, the built-in layout back, and both sent; the timer stops for good.
  f.v().OnShutdown();
  const Strings traffic = f.Take();
  EXPECT_EQ(Switches(traffic), Strings{"0"});
  ASSERT_EQ(Placements(traffic).size(), 1u);
  EXPECT_EQ(Placements(traffic)[0].enable, 0);
  EXPECT_EQ(f.speaker_view.icons[Index(Speaker::kC)], (SpeakerPosition{364, 168}));
  f.v().SpeakerReleased();
  f.v().PressAnimationSwitch(kNarrow);
  EXPECT_FALSE(f.v().Animating());
  // Without a device the layout is reset on screen and nothing is sent.
  f.Session().SetActive(false);
  f.v().ToggleEnable();
  f.v().ResetVirtual();
  EXPECT_TRUE(f.Take().empty());
  f.v().OnRemoved();
  EXPECT_EQ(f.v().Enabled(), 0);
  EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], 0);
}

TEST(Virtual71, ASkinChangePlacesTheIconsOnTheNewCircleAndKeepsTheRecords) {
  Page f;
  f.v().ResetVirtual();
  f.Take();
  const PolarRecords records = f.v().Layout().Records();
  f.speaker_view.circle = {400, 300, 60};
  f.v().ReplaceSpeakers(0.5);
  EXPECT_EQ(f.v().Layout().Records(), records);
  // RS stood 96 pixels right of the old centre: 48 right of the new one.
  EXPECT_EQ(f.speaker_view.icons[Index(Speaker::kRS)], (SpeakerPosition{448, 300}));
  EXPECT_TRUE(f.Take().empty());
}

// A player that plays nothing: the bee test stays silent.
class SilentPlayer final : public MediaPlayer {
 public:
  bool Open(const std::string&) override { return false; }
  void Play() override {}
  void Close() override {}
  std::uint64_t PositionMs() const override { return 0; }
  std::uint64_t LengthMs() const override { return 0; }
};

TEST(Virtual71, TheBeeTestMovesTheBeeAndTheSpeakersAndSendsEachStepWhileADeviceIsActive) {
  Page f;
  f.v().ToggleEnable();
  f.v().ResetVirtual();
  const auto home = f.speaker_view.icons;
  SilentPlayer player;
  BeeTest bee(f.v(), player, f.loop_, "/nowhere");
  f.Take();
  bee.CheckBoxClicked(true);
  EXPECT_TRUE(f.speaker_view.bee_visible);
  ASSERT_TRUE(f.speaker_view.bee.has_value());
  // The bee starts at angle 0 on the 96-pixel orbit: right of the centre.
  EXPECT_EQ(*f.speaker_view.bee, (SpeakerPosition{364 + 96, 264}));
  EXPECT_TRUE(f.Take().empty()) << "ticking the box sends nothing";
  f.driver.Advance(30);
  const Strings traffic = f.Take();
  EXPECT_EQ(Placements(traffic).size(), 3u) << Joined(traffic);
  // Every speaker rides with the bee, clockwise on screen: below the centre now.
  for (int i = 0; i < kSpeakerCount; ++i) EXPECT_GT(f.speaker_view.icons[i].top, 264) << i;
  EXPECT_GT(f.speaker_view.bee->top, 264);
  // Without a device the pictures still move and nothing is sent.
  f.Session().SetActive(false);
  const SpeakerPosition bee_before = *f.speaker_view.bee;
  f.driver.Advance(30);
  EXPECT_TRUE(f.Take().empty());
  EXPECT_NE(*f.speaker_view.bee, bee_before);
  // Clearing the box puts every speaker back where it was (within the pixel of truncation).
  bee.CheckBoxClicked(false);
  EXPECT_FALSE(f.speaker_view.bee_visible);
  for (int i = 0; i < kSpeakerCount; ++i) {
    EXPECT_LE(std::abs(f.speaker_view.icons[i].left - home[i].left), 2) << i;
    EXPECT_LE(std::abs(f.speaker_view.icons[i].top - home[i].top), 2) << i;
  }
}

}  // namespace
}  // namespace audio77
