// Virtual 7.1 alone on the virtual device: the animation latches, the library
// calls of each step and the switch-off when 3D takes over.
#include "features/Virtual71.h"

#include <gtest/gtest.h>

#include "FeatureFixture.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using test::Library;
using Strings = std::vector<std::string>;

constexpr int kCw = Virtual71::kClockwiseTag;
constexpr int kCcw = Virtual71::kCounterClockwiseTag;
constexpr int kNarrow = Virtual71::kNarrowTag;
constexpr int kEnlarge = Virtual71::kEnlargeTag;

// The first word after the entry: the switch each call sent.
Strings Switches(const Strings& traffic) {
  Strings out;
  for (const auto& line : Library(traffic, "DLLQK_SetVirtual7ch1_OnOff ")) out.push_back(line.substr(27, 1));
  return out;
}

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
    EXPECT_TRUE(f.Take().empty()) << "the latches alone send nothing";
  }
}

TEST(Virtual71, ThreeDTakingOverSwitchesOffInTheLibraryAndHidesTheRunningRotation) {
  FeatureFixture<Virtual71> f;
  f.feature->ToggleEnable();
  f.feature->PressAnimationSwitch(kCw);
  f.Take();
  f.feature->SwitchOffFor3D();
  const Strings traffic = f.Take();
  EXPECT_EQ(Switches(traffic), Strings{"0"}) << Joined(traffic);
  EXPECT_EQ(Library(traffic, "DLLQK_SetVirtual7ch1_Scalar").size(), 1u) << Joined(traffic);
  EXPECT_EQ(f.feature->Enabled(), 0);
  EXPECT_EQ(f.feature->Latch(kCw), 0);
  EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], 0);
  EXPECT_FALSE(f.view.visible[Virtual71::kEnableTag]);
  EXPECT_FALSE(f.view.visible[kCw]);
  // The latch that was not running keeps its picture where it is.
  EXPECT_EQ(f.view.visible.count(kCcw), 0u);
}

TEST(Virtual71, ActivationRetriesEachLibraryCallOnce) {
  struct Case {
    const char* faults;
    std::size_t switches, scales;
  };
  const Case cases[] = {
      {"", 1, 1},
      {"[Faults]\nDLLQK_SetVirtual7ch1_OnOff=1\n", 2, 1},
      {"[Faults]\nDLLQK_SetVirtual7ch1_Scalar=5\n", 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults);
    FeatureFixture<Virtual71> f(c.faults);
    f.feature->SetDefaultEnable(1);
    f.feature->TakeDefaultEnable();
    f.feature->SendAtActivation();
    const Strings traffic = f.Take();
    EXPECT_EQ(Switches(traffic), Strings(c.switches, "1")) << Joined(traffic);
    EXPECT_EQ(Library(traffic, "DLLQK_SetVirtual7ch1_Scalar").size(), c.scales);
  }
}

TEST(Virtual71, ResetAndShutdownFollowTheEnableOnlyWhileTheDeviceIsActive) {
  FeatureFixture<Virtual71> f;
  f.feature->ToggleEnable();
  f.feature->ResetVirtual71();
  EXPECT_EQ(Switches(f.Take()), Strings{"1"});
  f.feature->OnShutdown();
  EXPECT_EQ(Switches(f.Take()), Strings{"0"});
  f.Session().SetActive(false);
  f.feature->ToggleEnable();
  f.feature->ResetVirtual71();
  EXPECT_TRUE(f.Take().empty());
  f.feature->OnRemoved();
  EXPECT_EQ(f.feature->Enabled(), 0);
  EXPECT_EQ(f.view.switches[Virtual71::kEnableTag], 0);
}

}  // namespace
}  // namespace audio77
