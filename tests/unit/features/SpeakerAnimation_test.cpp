// The speaker animations: one orbit step, the order in which the tick reads
// the four switches, the radius limits and what the tick prepares for the
// device.
#include "features/SpeakerAnimation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace audio77 {
namespace {

constexpr SpeakerCircle kCircle{364, 264, 120};
constexpr double kStep = SpeakerAnimation::kAngleStep;

SpeakerLayout DefaultLayout() {
  SpeakerLayout layout;
  layout.SetCircle(kCircle);
  layout.LayoutSpeakers({});
  layout.MeasureSpeakers(SpeakerLayout::Target::kMain);
  return layout;
}

TEST(SpeakerAnimationOrbit, PlacesWithTheAngleBeforeTheStepThenSteps) {
  const struct {
    int direction;
    double r;
    SpeakerPosition icon;
    float angle_after;
  } cases[] = {
      {SpeakerAnimation::kAngleUp, 100, {451, 216}, static_cast<float>(0.5 + kStep)},
      {SpeakerAnimation::kAngleDown, 100, {451, 216}, static_cast<float>(0.5 - kStep)},
      {SpeakerAnimation::kNoStep, 100, {451, 216}, 0.5f},
      {7, 100, {451, 216}, 0.5f},  // any other direction leaves the angle
      {SpeakerAnimation::kNoStep, 50, {407, 240}, 0.5f},  // the radius given, not the record's
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.direction << " r " << c.r);
    PolarRecord record{0.5f, 100.0};
    SpeakerPosition icon{0, 0};
    SpeakerAnimation::OrbitStep(icon, record, c.r, c.direction, kCircle);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(record.angle, c.angle_after);
    EXPECT_EQ(record.radius, 100.0);
  }
}

// Which switch acts: the first one on in the order clockwise,
// counter-clockwise, narrow, enlarge. No switch: nothing moves, nothing is due.
TEST(SpeakerAnimationTick, FirstSwitchOnActs) {
  enum class Effect { kAngleUp, kAngleDown, kNarrower, kWider, kNone };
  const struct {
    AnimationLatches latches;
    Effect effect;
  } cases[] = {
      {{1, 1, 1, 1}, Effect::kAngleUp},
      {{0, 1, 1, 1}, Effect::kAngleDown},
      {{0, 0, 1, 1}, Effect::kNarrower},
      {{0, 0, 0, 1}, Effect::kWider},
      {{0, 0, 0, 0}, Effect::kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.effect));
    SpeakerLayout layout = DefaultLayout();
    const PolarRecords before = layout.Records();
    const SpeakerLibraryValues values_before = layout.LibraryValues();
    EXPECT_EQ(SpeakerAnimation::Step(c.latches, layout), c.effect != Effect::kNone);
    for (int i = 0; i < kSpeakerCount; ++i) {
      const PolarRecord& was = before[i];
      const PolarRecord& now = layout.Records()[i];
      switch (c.effect) {
        case Effect::kAngleUp:
          EXPECT_EQ(now, (PolarRecord{static_cast<float>(was.angle + kStep), was.radius}));
          break;
        case Effect::kAngleDown:
          EXPECT_EQ(now, (PolarRecord{static_cast<float>(was.angle - kStep), was.radius}));
          break;
        case Effect::kNarrower:
          EXPECT_EQ(now, (PolarRecord{was.angle, was.radius - 1}));
          break;
        case Effect::kWider:
          EXPECT_EQ(now, (PolarRecord{was.angle, was.radius + 1}));
          break;
        case Effect::kNone:
          EXPECT_EQ(now, was);
          break;
      }
    }
    if (c.effect == Effect::kNone) {
      EXPECT_EQ(layout.Positions(), SpeakerLayout::DefaultGeometry(kCircle));
      EXPECT_EQ(layout.LibraryValues(), values_before);
    }
  }
}

// The icons trail the records by one step, and the tick prepares the device
// values from the icons (a scratch measurement), not from the records.
TEST(SpeakerAnimationTick, IconsTrailTheRecordsAndTheDeviceGetsTheIcons) {
  SpeakerLayout layout = DefaultLayout();
  SpeakerLayout unstepped = layout;
  unstepped.ReplaceOnCircle(kCircle, 1.0);  // the icons on the records' angles
  const PolarRecords before = layout.Records();

  ASSERT_TRUE(SpeakerAnimation::Step({.clockwise = 1}, layout));
  EXPECT_EQ(layout.Positions(), unstepped.Positions());
  SpeakerLayout measured = layout;
  measured.MeasureSpeakers(SpeakerLayout::Target::kMain);
  EXPECT_EQ(layout.LibraryValues(), measured.LibraryValues());
  EXPECT_NE(layout.Records()[0].angle, before[0].angle);
}

// "CW" grows the angles: on screen the icons go round counter-clockwise, the
// centre speaker at the top moving left. A full turn takes 360 ticks and the
// angles are never brought back into 0 .. 2pi.
TEST(SpeakerAnimationTick, FullTurnIn360TicksWithoutWrapping) {
  for (const bool clockwise : {true, false}) {
    SCOPED_TRACE(clockwise);
    SpeakerLayout layout = DefaultLayout();
    const PolarRecords start = layout.Records();
    const SpeakerPosition centre_start = layout.Position(Speaker::kC);
    const AnimationLatches latches{.clockwise = clockwise ? 1 : 0, .counter_clockwise = clockwise ? 0 : 1};
    for (int tick = 0; tick < 10; ++tick) SpeakerAnimation::Step(latches, layout);
    const SpeakerPosition centre = layout.Position(Speaker::kC);
    EXPECT_EQ(centre.left < centre_start.left, clockwise) << centre.left;
    for (int tick = 10; tick < 360; ++tick) SpeakerAnimation::Step(latches, layout);
    const double turn = clockwise ? SpeakerLayout::kTwoPi : -SpeakerLayout::kTwoPi;
    for (int i = 0; i < kSpeakerCount; ++i) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(layout.Records()[i].angle, start[i].angle + turn, 1e-4);
      EXPECT_EQ(layout.Records()[i].radius, start[i].radius);
    }
    // One more tick brings the icons back where they started (placed with
    // the angle before that step: a whole turn).
    SpeakerAnimation::Step(latches, layout);
    for (int i = 0; i < kSpeakerCount; ++i) {
      const SpeakerPosition was = SpeakerLayout::DefaultGeometry(kCircle)[i];
      EXPECT_NEAR(layout.Positions()[i].left, was.left, 1) << i;
      EXPECT_NEAR(layout.Positions()[i].top, was.top, 1) << i;
    }
  }
}

// Narrowing runs while every radius is 10 or more, widening while every
// radius is below 111; at the limit the tick still measures and is due.
TEST(SpeakerAnimationTick, NarrowAndEnlargeStopAtTheirLimits) {
  const struct {
    AnimationLatches latches;
    double edge_radius, after_one, other_after_one;
  } cases[] = {
      {{.narrow = 1}, 10.0, 9.0, 49.0},
      {{.enlarge = 1}, 110.5, 111.5, 51.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edge_radius);
    SpeakerLayout layout = DefaultLayout();
    for (int i = 0; i < kSpeakerCount; ++i) layout.Record(i).radius = 50.0;
    layout.Record(SpeakerLayout::Index(Speaker::kLB)).radius = c.edge_radius;

    EXPECT_TRUE(SpeakerAnimation::Step(c.latches, layout));
    EXPECT_EQ(layout.Records()[SpeakerLayout::Index(Speaker::kLB)].radius, c.after_one);
    EXPECT_EQ(layout.Records()[SpeakerLayout::Index(Speaker::kL)].radius, c.other_after_one);
    const SpeakerPositions placed = layout.Positions();
    const PolarRecords records = layout.Records();

    for (int tick = 0; tick < 3; ++tick) EXPECT_TRUE(SpeakerAnimation::Step(c.latches, layout));
    EXPECT_EQ(layout.Records(), records);
    EXPECT_EQ(layout.Positions(), placed);
  }
}

}  // namespace
}  // namespace audio77
