// The speaker layout: built-in geometry, positions read from profiles, the
// polar measurement, the circle test and the re-placement after a skin change.
#include "features/SpeakerLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <limits>
#include <string>

#include "support/TempDir.h"

namespace audio77 {
namespace {

constexpr SpeakerCircle kBundledCircle{364, 264, 120};
constexpr double kPi = SpeakerLayout::kPi;

// The keys of one section of a small INI file.
std::map<std::string, std::string> Section(const std::string& path, const std::string& name) {
  std::ifstream in(path);
  std::map<std::string, std::string> keys;
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      section = line.substr(1, line.find(']') - 1);
    } else if (section == name && line.find('=') != std::string::npos) {
      keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
  }
  return keys;
}

SpeakerLayout Measured(const SpeakerCircle& circle) {
  SpeakerLayout layout;
  layout.SetCircle(circle);
  layout.LayoutSpeakers({});
  layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
  return layout;
}

TEST(SpeakerLayoutTruncate, GuardsEveryDoubleThatIsNoInteger) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    double value;
    std::int32_t expected;
  } cases[] = {
      {2.9, 2},
      {-2.9, -2},  // toward zero
      {std::nan(""), 0},
      {std::numeric_limits<double>::infinity(), kMax},
      {-std::numeric_limits<double>::infinity(), kMin},
      {1e12, kMax},
      {-1e12, kMin},
      {2147483646.5, 2147483646},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(SpeakerLayout::Truncate(c.value), c.expected);
  }
}

TEST(SpeakerLayoutGeometry, PlacesEverySpeakerAroundTheCircle) {
  const struct {
    SpeakerCircle circle;
    SpeakerPositions expected;  // L, R, C, SUB, LS, RS, LB, RB
  } cases[] = {
      // h = 50, d = 80; the diagonals are 56.57 away on each axis.
      {{556, 247, 100},
       {{{499, 190}, {612, 190}, {556, 167}, {556, 197}, {476, 247}, {636, 247}, {499, 303}, {612, 303}}}},
      // An odd radius halves toward zero: h = 60, d = 96.
      {{364, 264, 121},
       {{{296, 196}, {431, 196}, {364, 168}, {364, 204}, {268, 264}, {460, 264}, {296, 331}, {431, 331}}}},
      // A skin without a circle puts every speaker on the centre.
      {{10, 20, 0}, {{{10, 20}, {10, 20}, {10, 20}, {10, 20}, {10, 20}, {10, 20}, {10, 20}, {10, 20}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.circle.radius);
    const SpeakerPositions got = SpeakerLayout::DefaultGeometry(c.circle);
    for (int i = 0; i < kSpeakerCount; ++i) {
      EXPECT_EQ(got[i], c.expected[i]) << SpeakerLayout::kProfileKeys[i] << " at " << got[i].left << ","
                                       << got[i].top;
    }
  }
}

TEST(SpeakerLayoutProfile, ParsesLeftAndTopOrNothing) {
  const struct {
    const char* text;
    std::optional<SpeakerPosition> expected;
  } cases[] = {
      {"412,232", SpeakerPosition{412, 232}},
      {"-5, 7", SpeakerPosition{-5, 7}},
      {"1,2,3", SpeakerPosition{1, 2}},
      {"412", std::nullopt},
      {"412,", std::nullopt},
      {"a,3", std::nullopt},
      {"", std::nullopt},
      {"99999999999,1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SpeakerLayout::ParsePosition(c.text), c.expected);
  }
}

// The default profile may lack speakers or hold any numbers: the missing
// ones take the built-in geometry, the rest stay in the circle's box.
TEST(SpeakerLayoutProfile, LayoutTakesTheGeometryPerMissingSpeakerAndClampsTheRest) {
  SpeakerLayout layout;
  layout.SetCircle(kBundledCircle);
  ProfilePositions profile;
  profile[SpeakerLayout::Index(Speaker::kL)] = SpeakerPosition{300, 200};
  profile[SpeakerLayout::Index(Speaker::kR)] = SpeakerPosition{9999, -9999};
  profile[SpeakerLayout::Index(Speaker::kRB)] = SpeakerPosition{std::numeric_limits<std::int32_t>::min(), 264};
  layout.LayoutSpeakers(profile);

  const SpeakerPositions geometry = SpeakerLayout::DefaultGeometry(kBundledCircle);
  EXPECT_EQ(layout.Position(Speaker::kL), (SpeakerPosition{300, 200}));
  EXPECT_EQ(layout.Position(Speaker::kR), (SpeakerPosition{484, 144}));
  EXPECT_EQ(layout.Position(Speaker::kRB), (SpeakerPosition{244, 264}));
  for (Speaker s : {Speaker::kC, Speaker::kSub, Speaker::kLS, Speaker::kRS, Speaker::kLB}) {
    EXPECT_EQ(layout.Position(s), geometry[SpeakerLayout::Index(s)]) << SpeakerLayout::Index(s);
  }
  // Profiles and drags go through the same box.
  layout.Place(Speaker::kC, {0, 1000});
  EXPECT_EQ(layout.Position(Speaker::kC), (SpeakerPosition{244, 384}));
}

// The bundled default profile is the built-in layout of the bundled skins'
// circle: every speaker starts inside the circle it can be dragged in.
TEST(SpeakerLayoutProfile, BundledDefaultProfileLiesOnTheBundledCircle) {
  const std::string path = (test::SourceDir() / "assets/dist/user/DefaultProfile.ini").string();
  const auto keys = Section(path, "Virtual7ch1");
  SpeakerLayout layout;
  layout.SetCircle(kBundledCircle);
  const SpeakerPositions geometry = SpeakerLayout::DefaultGeometry(kBundledCircle);
  for (int i = 0; i < kSpeakerCount; ++i) {
    const std::string key(SpeakerLayout::kProfileKeys[i]);
    SCOPED_TRACE(key);
    const auto found = keys.find(key);
    ASSERT_NE(found, keys.end());
    const auto position = SpeakerLayout::ParsePosition(found->second);
    ASSERT_TRUE(position.has_value());
    EXPECT_TRUE(layout.InsideCircle(*position));
    EXPECT_EQ(*position, geometry[i]);
  }
}

TEST(SpeakerLayoutMeasure, GivesAngleAndRadiusInEveryQuadrant) {
  const struct {
    SpeakerPosition at;  // relative to the centre (100, 100)
    double angle, radius;
  } cases[] = {
      {{30, 0}, 0.0, 30},
      {{0, -30}, kPi / 2, 30},             // above
      {{-30, 0}, kPi, 30},                 // left
      {{0, 30}, SpeakerLayout::kTwoPi - kPi / 2, 30},  // below
      {{30, -40}, std::atan2(40, 30), 50},            // above right
      {{-30, -40}, kPi - std::atan2(40, 30), 50},     // above left
      {{-30, 40}, std::atan2(40, 30) + kPi, 50},      // below left
      {{30, 40}, SpeakerLayout::kTwoPi - std::atan2(40, 30), 50},  // below right
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.at.left << "," << c.at.top);
    SpeakerLayout layout;
    layout.SetCircle({100, 100, 100});
    layout.Place(Speaker::kLS, {100 + c.at.left, 100 + c.at.top});
    layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
    const PolarRecord& record = layout.Records()[SpeakerLayout::Index(Speaker::kLS)];
    EXPECT_EQ(record.angle, static_cast<float>(c.angle));
    EXPECT_DOUBLE_EQ(record.radius, c.radius);
    const SpeakerLibraryValue& value = layout.LibraryValues()[SpeakerLayout::Index(Speaker::kLS)];
    EXPECT_EQ(value.angle, record.angle);
    EXPECT_EQ(value.radius, static_cast<float>(c.radius));
  }
}

// An icon on the centre has no direction: its record is zero and the device
// keeps what it was given for that speaker.
TEST(SpeakerLayoutMeasure, IconOnTheCentreKeepsItsDeviceValues) {
  SpeakerLayout layout = Measured({100, 100, 100});
  const SpeakerLibraryValue before = layout.LibraryValues()[0];
  ASSERT_GT(before.radius, 0.0f);
  layout.Place(Speaker::kL, {100, 100});
  layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
  EXPECT_EQ(layout.Records()[0], PolarRecord{});
  EXPECT_EQ(layout.LibraryValues()[0], before);
}

TEST(SpeakerLayoutMeasure, ScratchChangesOnlyTheDeviceValues) {
  SpeakerLayout layout = Measured(kBundledCircle);
  const PolarRecords records = layout.Records();
  layout.Place(Speaker::kC, {364, 200});
  layout.MeasureSpeakers(SpeakerLayout::Target::kScratch);
  EXPECT_EQ(layout.Records(), records);
  EXPECT_EQ(layout.LibraryValues()[SpeakerLayout::Index(Speaker::kC)].radius, 64.0f);
  layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
  EXPECT_EQ(layout.Records()[SpeakerLayout::Index(Speaker::kC)].radius, 64.0);
}

TEST(SpeakerLayoutMeasure, OldVersionNudgesOneSpotOnly) {
  for (const bool old_version : {false, true}) {
    SCOPED_TRACE(old_version);
    SpeakerLayout layout(old_version);
    layout.SetCircle({556, 247, 200});
    layout.Place(Speaker::kRB, {664, 355});
    layout.Place(Speaker::kRS, {663, 355});
    layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
    EXPECT_EQ(layout.Position(Speaker::kRB), (old_version ? SpeakerPosition{665, 356} : SpeakerPosition{664, 355}));
    EXPECT_EQ(layout.Position(Speaker::kRS), (SpeakerPosition{663, 355}));
    EXPECT_DOUBLE_EQ(layout.Records()[SpeakerLayout::Index(Speaker::kRB)].radius,
                     old_version ? std::hypot(109, 109) : std::hypot(108, 108));
  }
}

TEST(SpeakerLayoutCircle, InsideIncludesTheEdge) {
  const struct {
    SpeakerCircle circle;
    SpeakerPosition at;
    bool inside;
  } cases[] = {
      {{100, 100, 50}, {150, 100}, true},
      {{100, 100, 50}, {130, 140}, true},   // 30-40-50
      {{100, 100, 50}, {131, 140}, false},
      {{100, 100, 50}, {100, 49}, false},
      {{100, 100, 0}, {100, 100}, true},
      {{100, 100, -5}, {101, 100}, false},  // a negative radius is no circle
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.at.left << "," << c.at.top << " r " << c.circle.radius);
    SpeakerLayout layout;
    layout.SetCircle(c.circle);
    EXPECT_EQ(layout.InsideCircle(c.at), c.inside);
  }
}

// A skin change places every icon on the new circle at its record's angle,
// with the radius scaled; the records keep their radii.
TEST(SpeakerLayoutCircle, ReplacementScalesTheRadiiOntoTheNewCircle) {
  SpeakerLayout layout = Measured({100, 100, 100});
  layout.Place(Speaker::kR, {161, 29});  // 61 right, 71 up
  layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
  const PolarRecords records = layout.Records();
  constexpr SpeakerCircle kNew{400, 300, 200};

  const struct {
    double ratio;
    SpeakerPosition r_at;
  } cases[] = {
      {1.3, {479, 207}},  // 79.3 right, 92.3 up of the new centre
      {0.7, {442, 250}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ratio);
    layout.ReplaceOnCircle(kNew, c.ratio);
    EXPECT_EQ(layout.Position(Speaker::kR), c.r_at);
    EXPECT_EQ(layout.Records(), records);
    EXPECT_EQ(layout.Circle(), kNew);
  }
  // A ratio that is not finite (a previous radius of 0) keeps the radii.
  layout.ReplaceOnCircle(kNew, 1.0);
  const SpeakerPositions unscaled = layout.Positions();
  for (const double ratio : {std::numeric_limits<double>::infinity(), std::nan("")}) {
    layout.ReplaceOnCircle(kNew, 3.0);
    layout.ReplaceOnCircle(kNew, ratio);
    EXPECT_EQ(layout.Positions(), unscaled) << ratio;
  }
}

}  // namespace
}  // namespace audio77
