// The bee test: the bee and the speakers circle clockwise every 10 ms, the
// sound loops, and clearing the box puts every speaker back.
#include "features/BeeTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "platform/ManualClock.h"
#include "toolkit/ManualLoopDriver.h"

namespace audio77::test {
namespace {

constexpr float kDegree = 0.0174532925f;

// The circle placement step with a centre of (300, 200).
class FakeStage final : public BeeStage {
 public:
  FakeStage() {
    for (int i = 0; i < kSpeakerCount; ++i) orbits[static_cast<std::size_t>(i)] = Orbit{0.5f * static_cast<float>(i), 60.0 + i};
  }
  void ShowBee(bool visible) override { bee_visible = visible; }
  int CircleSize() const override { return 151; }
  Orbit& SpeakerOrbit(int speaker) override { return orbits[static_cast<std::size_t>(speaker)]; }
  IconPoint Position(int icon) const override {
    const auto found = places.find(icon);
    return found == places.end() ? IconPoint{} : found->second;
  }
  void Move(int icon, IconPoint to) override { places[icon] = to; }
  void OrbitStep(int icon, Orbit& record, double radius, int direction) override {
    places[icon] = IconPoint{static_cast<int>(300 + std::cos(record.angle) * radius),
                             static_cast<int>(200 - std::sin(record.angle) * radius)};
    if (direction == 0) record.angle -= kDegree;
    if (direction == 1) record.angle += kDegree;
  }
  void SendPlacement() override { ++placements_sent; }

  std::array<Orbit, kSpeakerCount> orbits;
  std::map<int, IconPoint> places;
  bool bee_visible = false;
  int placements_sent = 0;
};

class FakePlayer final : public MediaPlayer {
 public:
  bool Open(const std::string& path) override {
    opened = path;
    length = path.find("missing") == std::string::npos ? 500 : 0;
    return length > 0;
  }
  void Play() override {
    ++plays;
    position = 0;
  }
  void Close() override {
    ++closes;
    length = 0;
  }
  std::uint64_t PositionMs() const override { return position; }
  std::uint64_t LengthMs() const override { return length; }

  std::string opened;
  std::uint64_t length = 0, position = 0;
  int plays = 0, closes = 0;
};

class BeeTestTest : public ::testing::Test {
 protected:
  FakeStage stage;
  FakePlayer player;
  ManualClock clock;
  toolkit::EventLoop loop{clock};
  toolkit::ManualLoopDriver driver{loop, clock};
  BeeTest bee{stage, player, loop, "/opt/audio77"};
};

TEST_F(BeeTestTest, TickingGathersTheSpeakersOnTheBeesOrbitAndClearingPutsThemBack) {
  const auto before = stage.orbits;
  bee.CheckBoxClicked(true);
  EXPECT_TRUE(stage.bee_visible);
  // (151 / 2, truncated) × 1.6 = 120 pixels, started at angle 0, one step taken.
  EXPECT_DOUBLE_EQ(bee.BeeOrbit().radius, 120.0);
  EXPECT_FLOAT_EQ(bee.BeeOrbit().angle, -kDegree);
  EXPECT_EQ(stage.Position(BeeStage::kBee), (IconPoint{420, 200}));
  for (int i = 0; i < BeeStage::kSpeakerCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(stage.orbits[static_cast<std::size_t>(i)], (Orbit{-kDegree, 120.0}));
    EXPECT_EQ(stage.Position(1 + i), (IconPoint{420, 200}));
  }
  EXPECT_EQ(player.opened, "/opt/audio77/bee.wav");
  EXPECT_EQ(player.plays, 1);
  EXPECT_TRUE(bee.Running());

  driver.Advance(100);
  EXPECT_EQ(stage.placements_sent, 10);
  bee.CheckBoxClicked(false);
  EXPECT_FALSE(stage.bee_visible);
  EXPECT_FALSE(bee.Running());
  EXPECT_EQ(player.closes, 1);
  // Restored, then placed with one clockwise step.
  for (int i = 0; i < BeeStage::kSpeakerCount; ++i) {
    SCOPED_TRACE(i);
    const auto& saved = before[static_cast<std::size_t>(i)];
    EXPECT_EQ(stage.orbits[static_cast<std::size_t>(i)], (Orbit{saved.angle - kDegree, saved.radius}));
  }
  driver.Advance(100);
  EXPECT_EQ(stage.placements_sent, 10);
}

TEST_F(BeeTestTest, EveryTenMillisecondsEverythingMovesOneDegreeClockwise) {
  bee.CheckBoxClicked(true);
  const float start = bee.BeeOrbit().angle;
  driver.Advance(90);  // 9 steps
  EXPECT_NEAR(bee.BeeOrbit().angle, start - 9 * kDegree, 1e-5);
  EXPECT_NEAR(stage.orbits[3].angle, start - 9 * kDegree, 1e-5);
  // A quarter turn on: the bee at the bottom of the circle (screen y grows
  // down), within a pixel of single-precision steps.
  driver.Advance(810);
  EXPECT_NEAR(stage.Position(BeeStage::kBee).left, 300, 1);
  EXPECT_NEAR(stage.Position(BeeStage::kBee).top, 320, 1);
}

TEST_F(BeeTestTest, TheSoundRestartsWithinAHundredMillisecondsOfItsEnd) {
  bee.CheckBoxClicked(true);
  player.position = 300;
  driver.Advance(100);
  EXPECT_EQ(player.plays, 1);
  player.position = 500;  // over
  driver.Advance(100);
  EXPECT_EQ(player.plays, 2);
}

TEST_F(BeeTestTest, AMissingSoundLeavesTheTestSilentButMoving) {
  BeeTest silent(stage, player, loop, "/missing");
  silent.CheckBoxClicked(true);
  driver.Advance(300);
  EXPECT_EQ(player.plays, 0);
  EXPECT_EQ(stage.placements_sent, 30);
  silent.Shutdown();
  EXPECT_FALSE(silent.Running());
}

TEST_F(BeeTestTest, ClearingABoxNeverTickedMovesNoSpeakerRecord) {
  const auto before = stage.orbits;
  bee.CheckBoxClicked(false);
  for (int i = 0; i < BeeStage::kSpeakerCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FLOAT_EQ(stage.orbits[static_cast<std::size_t>(i)].angle, before[static_cast<std::size_t>(i)].angle - kDegree);
  }
}

}  // namespace
}  // namespace audio77::test
