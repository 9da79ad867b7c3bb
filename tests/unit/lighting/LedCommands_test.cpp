// The LED page's sends: what each plans from the lighting state, and the exact
// library calls a plan makes on the virtual device, with the single retry.
#include "lighting/LedCommands.h"

#include <gtest/gtest.h>

#include "LightingFixture.h"

namespace audio77 {
namespace {

using Strings = std::vector<std::string>;
using L = LedCommands;

TEST(LedCommandsPlan, EachSendPlansItsModeAndCallsFromTheState) {
  LedSendState state;
  state.breathe_speed = 40;
  state.rainbow_speed = 50;
  state.multi_breathe_speed = 60;
  state.single = 0x112233;
  state.breathe = 0x445566;
  struct Case {
    const char* what;
    bool single;
    int effect;
    LedPlan (*plan)(const LedSendState&);
    std::optional<int> mode;
    std::vector<LedStep> steps;
  };
  const Case cases[] = {
      {"single colour off: nothing", false, 1, L::PlanSingleColor, {}, {}},
      {"single colour", true, 0, L::PlanSingleColor, 2,
       {L::WithRetry(L::Mode(2, 0)), L::Pause(10), L::WithRetry(L::ModeColour(2, 0x112233))}},
      {"breathe", false, 1, L::PlanBreathe, 4,
       {L::WithRetry(L::Mode(4, 40)), L::Pause(10), L::WithRetry(L::ModeColour(4, 0x445566))}},
      {"breathe while rainbow runs: nothing", false, 2, L::PlanBreathe, {}, {}},
      {"rainbow", false, 2, L::PlanRainbowOrMulti, 5, {L::WithRetry(L::Mode(5, 50))}},
      {"multi-breathe", false, 3, L::PlanRainbowOrMulti, 6, {L::WithRetry(L::Mode(6, 60))}},
      {"rainbow or multi while breathing: nothing", false, 1, L::PlanRainbowOrMulti, {}, {}},
      {"rainbow or multi without effect: nothing", false, 0, L::PlanRainbowOrMulti, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state.single_colour = c.single;
    state.effect = c.effect;
    const LedPlan plan = c.plan(state);
    EXPECT_EQ(plan.device_mode, c.mode);
    EXPECT_EQ(plan.steps, c.steps);
  }
  const LedPlan off = L::PlanLedOff();
  EXPECT_EQ(off.device_mode, 1);
  EXPECT_EQ(off.steps, (std::vector<LedStep>{L::WithRetry(L::Mode(1, 1)), L::Pause(10)}));
}

TEST(LedEffects, OutOfRangeEffectsReadAsNone) {
  for (long long effect : {-1LL, 0LL, 4LL, 1LL << 40}) EXPECT_EQ(led::ValidEffect(effect), led::kNoEffect) << effect;
  for (int effect : {1, 2, 3}) EXPECT_EQ(led::ValidEffect(effect), effect);
  EXPECT_EQ(led::ModeOfEffect(3), 6);
  EXPECT_EQ(led::ModeOfEffect(0), 0);
}

class LedCommandsOnDevice : public test::LightingFixture {
 protected:
  LedCommands commands_{library_, clock_};
};

TEST_F(LedCommandsOnDevice, EveryCallGoesThroughTheByIndexEntriesWithAddress58AndTiming50) {
  EXPECT_TRUE(commands_.Run({L::Once(L::Mode(4, 0x80)), L::Once(L::SlotColour(3, 0x00FFFF)),
                             L::Once(L::ModeColour(2, 0x563412)), L::Once(L::StepCount())}));
  EXPECT_EQ(Take(), (Strings{"lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x04 0x80 50 0x00",
                             "lib DLLQK_SetRGB_Color_ById 0x3A 0x01 0x03 0xFF 0xFF 0x00 50 0x00",
                             "lib DLLQK_SetRGB_SingleColor_ById 0x3A 0x01 0x02 0x12 0x34 0x56 50 0x00",
                             "lib DLLQK_SetRGB_Step_ById 0x3A 0x07 50 0x00"}));
  const sim::LightingState master = Master();
  EXPECT_EQ(master.address, 0x3A);
  EXPECT_EQ(master.mode, 4);
  EXPECT_EQ(master.value, 0x80);
  EXPECT_EQ(master.slot_colours[3], 0x00FFFFu);
  EXPECT_EQ(master.mode_colours[2], 0x563412u);
  EXPECT_EQ(master.steps, 7);
  EXPECT_TRUE(clock_.Sleeps().empty());
}

TEST_F(LedCommandsOnDevice, AFailedCallIsRepeatedOnceAfter10MsAndOnlyOnce) {
  const std::string mode = "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x01 0x01 50 0x00";
  struct Case {
    const char* fails;
    Strings calls;
    std::vector<std::uint32_t> sleeps;
    bool done;
  };
  for (const Case& c : {Case{"0", {mode}, {10}, true}, Case{"1", {mode, mode}, {10, 10}, true},
                        Case{"2", {mode, mode}, {10, 10}, false}, Case{"5", {mode, mode}, {10, 10}, false}}) {
    SCOPED_TRACE(c.fails);
    ASSERT_TRUE(device().SetFault("DLLQK_SetRGB_Mode_ById", c.fails));
    clock_.ClearSleeps();
    EXPECT_EQ(commands_.Run(L::PlanLedOff().steps), c.done);
    EXPECT_EQ(Take(), c.calls);
    EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    ASSERT_TRUE(device().SetFault("DLLQK_SetRGB_Mode_ById", "0"));
  }
}

TEST_F(LedCommandsOnDevice, AColourWithoutRetryWaitsOnlyAfterAFailure) {
  ASSERT_TRUE(device().SetFault("DLLQK_SetRGB_Color_ById", "1"));
  EXPECT_FALSE(commands_.Run({L::PauseOnFailure(L::SlotColour(1, 0xFF), 100)}));
  EXPECT_TRUE(commands_.Run({L::PauseOnFailure(L::SlotColour(1, 0xFF), 100)}));
  EXPECT_EQ(Take().size(), 2u);
  EXPECT_EQ(clock_.Sleeps(), (std::vector<std::uint32_t>{100}));
}

TEST_F(LedCommandsOnDevice, AnUnpluggedDeviceFailsEveryCallWithoutHarm) {
  device().Unplug();
  EXPECT_NE(commands_.SendWithRetry(L::Mode(5, 9)), 0);
  EXPECT_EQ(Take().size(), 2u);  // the call and its one retry
  EXPECT_EQ(clock_.Sleeps(), (std::vector<std::uint32_t>{10}));
}

}  // namespace
}  // namespace audio77
