// The microphone's switches alone: what each press shows and keeps, and what
// an arrival and removal do to them, with no sound server in the process.
#include "features/Microphone.h"

#include <gtest/gtest.h>

#include "FeatureFixture.h"

namespace audio77 {
namespace {

using test::FeatureFixture;

TEST(Microphone, EachSwitchFlipsItsStateAndItsPicture) {
  FeatureFixture<Microphone> f;
  Microphone& mic = *f.feature;
  struct Case {
    void (Microphone::*press)();
    int tag;
    int (Microphone::*state)() const;
  };
  const Case cases[] = {
      {&Microphone::ToggleMute, Microphone::kMuteTag, &Microphone::Muted},
      {&Microphone::ToggleBoost, Microphone::kBoostTag, &Microphone::Boosted},
      {&Microphone::ToggleMonitor, Microphone::kMonitorTag, &Microphone::Monitoring},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    for (int expected : {1, 0, 1}) {
      (mic.*c.press)();
      EXPECT_EQ((mic.*c.state)(), expected);
      EXPECT_EQ(f.mic_view.switches[c.tag], expected);
    }
  }
  // Monitor mode 1 sends its registers on and leaves them when switched off.
  EXPECT_EQ(f.Take().size(), 6u);
}

TEST(Microphone, ActivationAndRemovalReleaseMuteAndMonitorButKeepBoost) {
  for (const bool removal : {false, true}) {
    SCOPED_TRACE(removal);
    FeatureFixture<Microphone> f;
    Microphone& mic = *f.feature;
    mic.ToggleMute();
    mic.ToggleMonitor();
    mic.ToggleBoost();
    if (removal) {
      mic.OnRemoved();
    } else {
      mic.AtArrival(false);
    }
    EXPECT_EQ(mic.Muted(), 0);
    EXPECT_EQ(mic.Monitoring(), 0);
    EXPECT_EQ(mic.Boosted(), 1);
    EXPECT_EQ(f.mic_view.switches[Microphone::kMuteTag], 0);
    EXPECT_EQ(f.mic_view.switches[Microphone::kMonitorTag], 0);
    ui::SkinViewState view;
    mic.Describe(view);
    EXPECT_FALSE(view.mic_mute);
    EXPECT_FALSE(view.mic_monitor);
  }
}

}  // namespace
}  // namespace audio77
