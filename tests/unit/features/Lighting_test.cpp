// Lighting alone: the LED button's GPIO line and the read-back at activation,
// each as one transaction that ends with its closing report.
#include "lighting/Lighting.h"

#include <gtest/gtest.h>

#include "FeatureFixture.h"
#include "sim/core/VirtualDevice.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using Strings = std::vector<std::string>;

// The output reports of the trace, each as its first five bytes in hex.
Strings Reports(const Strings& trace) {
  Strings out;
  for (const auto& line : trace) {
    if (line.rfind("hid out ", 0) == 0) out.push_back(line.substr(8, 10));
  }
  return out;
}

constexpr const char* kClosing = "0000000000";

TEST(Lighting, TheLedButtonDrivesGpio0WhileHeldAndShowsItsState) {
  FeatureFixture<Lighting> f;
  ASSERT_EQ(f.feature->ButtonState(), 1);
  EXPECT_TRUE(f.feature->PressLedButton().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"006001ff3c", kClosing}));
  EXPECT_EQ(f.feature->ButtonState(), 0);
  EXPECT_EQ(f.view.switches[Lighting::kLedButtonTag], 0);
  EXPECT_TRUE(f.feature->ReleaseLedButton().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"006000ff3c", kClosing}));
  EXPECT_EQ(f.feature->ButtonState(), 1);
  ui::SkinViewState view;
  f.feature->Describe(view);
  EXPECT_TRUE(view.led_on);
}

TEST(Lighting, ActivationReadsTheLinesOrDrivesThemLowWhileTheButtonIsUp) {
  FeatureFixture<Lighting> f;
  EXPECT_TRUE(f.feature->GpioAtActivation().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"0060000030", kClosing}));
  EXPECT_TRUE(f.feature->PressLedButton().Ok());
  f.TakeTrace();
  EXPECT_TRUE(f.feature->GpioAtActivation().Ok());
  EXPECT_EQ(Reports(f.TakeTrace()), (Strings{"006000ff3c", kClosing}));
}

TEST(Lighting, AFailedLineIsReportedAndTheTransactionStillCloses) {
  FeatureFixture<Lighting> f;
  ASSERT_TRUE(sim::VirtualDevice::Instance().SetFault("hid.out", "1"));
  EXPECT_EQ(f.feature->PressLedButton().Step(), 2);
  const Strings trace = f.TakeTrace();
  EXPECT_EQ(Reports(trace).back(), kClosing) << Joined(trace);
  f.Session().SetIds(0x1234, 0x5678);
  EXPECT_EQ(f.feature->ReleaseLedButton().Step(), 1) << "no interface for other IDs";
}

TEST(Lighting, SpeedsAndThePageModeOfTheSkin) {
  int skin_mode = 0;
  FeatureFixture<Lighting> f;
  Lighting lighting(f.Deps(), [&] { return skin_mode; });
  EXPECT_FALSE(lighting.PageEnabled());
  skin_mode = 1;
  EXPECT_TRUE(lighting.PageEnabled());
  lighting.SetPageMode(0);
  EXPECT_FALSE(lighting.PageEnabled()) << "a mode set by hand wins over the skin's";
  lighting.SetSpeed(1, 200);
  lighting.SetSpeed(3, 7);
  EXPECT_EQ(lighting.Speed(1), 200);
  EXPECT_EQ(lighting.Speed(3), 7);
  EXPECT_EQ(lighting.Speed(2), 0);
}

}  // namespace
}  // namespace audio77
