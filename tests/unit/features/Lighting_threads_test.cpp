// The lighting feature's two workers on the virtual device: when the effect
// worker starts, that the device's removal and the window's shutdown stop and
// join both, that mode 1 goes out at shutdown only when the effect worker ran,
// and (under ThreadSanitizer) the UI writing colours, modes and speeds while
// both workers send.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "FeatureFixture.h"
#include "lighting/Lighting.h"
#include "lighting/ULEDForm.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"

namespace audio77 {
namespace {

using test::FeatureFixture;
using test::Joined;
using Strings = std::vector<std::string>;

constexpr const char* kLightingOff = "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x01 0x01 50 0x00";

void Await(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the worker made no progress";
    std::this_thread::yield();
  }
}

int Count(const Strings& traffic, const std::string& prefix) {
  return static_cast<int>(
      std::count_if(traffic.begin(), traffic.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

// The feature with the LED dialog beside it, as the window holds them.
struct LightingWithDialog {
  explicit LightingWithDialog(int page_mode) {
    f.feature->SkinLoaded(page_mode, 0);
    f.feature->AttachDialog(&dialog);
    f.Take();
  }
  ~LightingWithDialog() { f.feature->AttachDialog(nullptr); }
  Lighting& lighting() { return *f.feature; }

  FeatureFixture<Lighting> f;
  toolkit::EventLoop loop{f.Clock()};
  toolkit::Application app{loop};
  TLEDForm dialog{app, f.Deps().library, f.Debug(), &f.feature->CallLock()};
};

TEST(LightingWorkers, RemovalAndShutdownJoinTheWorkersAndOnlyAWorkerThatRanEndsInMode1) {
  LightingWithDialog w(1);
  Lighting& lighting = w.lighting();
  lighting.StartLedEffects();
  ASSERT_TRUE(lighting.WorkerRunning());
  Await([&] { return lighting.Page().Worker()->Passes() == 1; });
  EXPECT_EQ(Count(w.f.Take(), "lib DLLQK_SetRGB_Color_ById"), 7) << "the table goes out once";

  // The device that was there at start-up leaves: the worker is joined and
  // forgotten, waking it does nothing, and the next start sends the table again.
  lighting.ForgetWorker();
  EXPECT_FALSE(lighting.WorkerRunning());
  lighting.Page().WakeLedThread();
  EXPECT_TRUE(w.f.Take().empty());
  lighting.StartLedEffects();
  Await([&] { return lighting.Page().Worker()->Passes() == 1; });
  EXPECT_EQ(Count(w.f.Take(), "lib DLLQK_SetRGB_Color_ById"), 7);

  // The dialog's worker lives from its show to its close.
  w.dialog.Form().Show();
  EXPECT_TRUE(w.dialog.WorkerRunning());
  w.dialog.Form().Close();
  EXPECT_FALSE(w.dialog.WorkerRunning());
  w.dialog.Form().Show();
  w.f.Take();

  lighting.OnShutdown();
  EXPECT_FALSE(lighting.WorkerRunning());
  EXPECT_FALSE(w.dialog.WorkerRunning());
  EXPECT_EQ(w.f.Take(), Strings{kLightingOff});

  // Without page mode 1 no worker starts, and shutdown sends nothing.
  LightingWithDialog off(0);
  off.lighting().StartLedEffects();
  EXPECT_FALSE(off.lighting().WorkerRunning());
  off.lighting().OnShutdown();
  EXPECT_TRUE(off.f.Take().empty());
}

TEST(LightingWorkers, WorkersStoppedBeforeShutdownStillEndInMode1) {
  LightingWithDialog w(1);
  w.lighting().StartLedEffects();
  w.lighting().StopWorkers();
  EXPECT_FALSE(w.lighting().WorkerRunning());
  w.f.Take();
  w.lighting().OnShutdown();
  EXPECT_EQ(w.f.Take(), Strings{kLightingOff});
}

// ThreadSanitizer's case: the UI thread works the LED page and the LED dialog
// while the effect worker and the command worker both send.
TEST(LightingWorkers, TheUiWritesWhileBothWorkersSend) {
  LightingWithDialog w(1);
  Lighting& lighting = w.lighting();
  lighting.StartLedEffects();
  w.dialog.Form().Show();
  auto* breathe_bar = w.dialog.Form().Find<toolkit::TrackBar>("TrackBarBreathe");
  auto* breathe = w.dialog.Form().Find<toolkit::RadioButton>("RadioButtonBreathe");
  ASSERT_NE(breathe_bar, nullptr);
  ASSERT_NE(breathe, nullptr);
  w.dialog.RadioButtonMouseDown(*breathe);
  constexpr int kRounds = 30;
  for (int round = 0; round < kRounds; ++round) {
    const int effect = round % 3 + 1;
    w.f.led_view.answers.push_back(static_cast<toolkit::Color>(0x010203 * (round + 1)));
    lighting.SwatchMouseDown(round % 7 + 1);
    lighting.CheckClick(round % 4 == 0 ? LedCheck::kSingle : static_cast<LedCheck>(effect + 1));
    lighting.SpeedKnobMoved(effect, 420 + round * 7);
    lighting.SpeedKnobReleased(effect);
    if (round % 10 == 0) lighting.Page().WakeLedThread();
    breathe_bar->MoveTo(round + 2);
  }
  Await([&] { return lighting.Page().Worker()->Passes() > 0 && w.dialog.CommandsSent() > 0; });
  lighting.StopWorkers();
  // Every call reached the device whole: an entry and its arguments.
  for (const std::string& line : w.f.Take()) EXPECT_EQ(line.rfind("lib DLLQK_", 0), 0u) << line;
}

}  // namespace
}  // namespace audio77
