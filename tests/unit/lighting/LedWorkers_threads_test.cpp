// The two LED workers on the virtual device: what one wake-up sends, that
// wakes coalesce and idle workers do nothing, that failing entries never make
// a worker spin, that both stop when their owner goes, and (under
// ThreadSanitizer) the UI writing colours, modes and speeds while both send.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "LightingFixture.h"
#include "lighting/LedCommandWorker.h"
#include "lighting/LedEffectWorker.h"

namespace audio77 {
namespace {

using Strings = std::vector<std::string>;
using Sleeps = std::vector<std::uint32_t>;

// Waits for another thread's progress; fails the test after ten seconds.
void Await(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the worker made no progress";
    std::this_thread::yield();
  }
}

std::string Slot(int slot, const char* rgb) {
  return "lib DLLQK_SetRGB_Color_ById 0x3A 0x01 0x0" + std::to_string(slot) + " " + rgb + " 50 0x00";
}

class LedEffectWorkerTest : public test::LightingFixture {
 protected:
  LedCommands commands_{library_, clock_};
  LedEffectState state_;
};

TEST_F(LedEffectWorkerTest, AWakeSendsThePendingTableOnceThenTheRunningEffect) {
  state_.device_mode = led::kModeRainbow;
  state_.rainbow_speed = 0x40;
  state_.palette.SetColour(4, 0x123456);
  LedEffectWorker worker(commands_, state_, clock_, debug_);
  worker.Wake();
  Await([&] { return worker.Passes() == 1; });
  EXPECT_EQ(Take(), (Strings{Slot(1, "0xFF 0x00 0x00"), Slot(2, "0x00 0xFF 0xFF"), Slot(3, "0xFF 0xFF 0x00"),
                             Slot(4, "0x56 0x34 0x12"), Slot(5, "0x00 0xFF 0x00"), Slot(6, "0x00 0x00 0xFF"),
                             Slot(7, "0xFF 0x00 0xFF"), "lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x05 0x40 50 0x00"}));
  EXPECT_EQ(clock_.Sleeps(), (Sleeps{100, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}));
  EXPECT_FALSE(state_.palette.Pending());
  Await([&] { return debug_.Lines().size() == 3; });
  EXPECT_EQ(debug_.Lines(), (Strings{"WaitForSingleObject", "LEDEffectThread", "WaitForSingleObject"}));

  // The table went out: later wakes re-send only the mode, and only for modes 4, 5, 6.
  struct Case {
    int mode;
    Strings sent;
  };
  for (const Case& c : {Case{led::kModeBreathe, {"lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x04 0x01 50 0x00"}},
                        Case{led::kModeMultiBreathe, {"lib DLLQK_SetRGB_Mode_ById 0x3A 0x00 0x06 0x01 50 0x00"}},
                        Case{led::kModeSingle, {}}, Case{led::kModePower, {}}}) {
    SCOPED_TRACE(c.mode);
    state_.device_mode = c.mode;
    const auto before = worker.Passes();
    worker.Wake();
    Await([&] { return worker.Passes() == before + 1; });
    EXPECT_EQ(Take(), c.sent);
  }
}

TEST_F(LedEffectWorkerTest, IdleCostsNothingAndWakesBeforeAPassCountOnce) {
  clock_.SetSleepObserver([](std::uint64_t) {});
  {
    LedEffectWorker worker(commands_, state_, clock_, debug_);
    EXPECT_EQ(worker.Passes(), 0u);
    EXPECT_FALSE(worker.WakePending());
  }  // joined while it waits: nothing was sent
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(clock_.Sleeps().empty());
  EXPECT_TRUE(state_.palette.Pending());

  // Three wakes while the worker is held in its first pause: one more pass, not three.
  std::atomic<LedEffectWorker*> target{nullptr};
  std::atomic<int> pauses{0};
  clock_.SetSleepObserver([&](std::uint64_t) {
    if (pauses.fetch_add(1) == 0 && target.load() != nullptr) {
      for (int i = 0; i < 3; ++i) target.load()->Wake();
    }
  });
  state_.palette.TakePending();
  LedEffectWorker worker(commands_, state_, clock_, debug_);
  target = &worker;
  worker.Wake();
  Await([&] { return worker.Passes() == 2; });
  EXPECT_FALSE(worker.WakePending());
  EXPECT_EQ(clock_.Sleeps(), (Sleeps{100, 100}));
}

TEST_F(LedEffectWorkerTest, FailingEntriesCostOneRetryEachAndTheWorkerWaitsAgain) {
  ASSERT_TRUE(device().SetFault("DLLQK_SetRGB_Color_ById", "100"));
  ASSERT_TRUE(device().SetFault("DLLQK_SetRGB_Mode_ById", "100"));
  state_.device_mode = led::kModeBreathe;
  LedEffectWorker worker(commands_, state_, clock_, debug_);
  worker.Wake();
  Await([&] { return worker.Passes() == 1; });
  EXPECT_EQ(Take().size(), 16u);  // seven slots and the mode, each twice
  EXPECT_FALSE(worker.WakePending());
  EXPECT_FALSE(state_.palette.Pending());  // a failed table is not sent again at every wake
}

class LedCommandWorkerTest : public test::LightingFixture {
 protected:
  LedDialogCommands commands_{&library_};
  LedDialogState state_;
};

TEST_F(LedCommandWorkerTest, HalfASecondAfterAWakeTheCurrentEffectGoesOutInTheChosenFamily) {
  LedCommandWorker worker(commands_, state_, clock_, debug_);
  struct Case {
    bool master;
    int led_number;
    int effect;
    std::string sent;
  };
  state_.SetSpeed(5, 0x20);
  const Case cases[] = {
      {true, 0, 5, "lib DLLQK_SetRGB_Mode 0x3A 0x00 0x05 0x20 500"},
      {false, 2, 5, "lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x02 0x05 0x20 500"},
      {true, 1, 2, "lib DLLQK_SetRGB_Mode 0x3A 0x01 0x02 0x00 500"},  // single colour has no speed
      {false, 0, 1, "lib DLLQK_UsbHidSlave_SetRGB_Mode_Ex 0x00 0x01 0x00 500"},
  };
  std::uint64_t passes = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sent);
    state_.master = c.master;
    state_.led_number = c.led_number;
    state_.current_effect = c.effect;
    clock_.ClearSleeps();
    worker.Wake();
    Await([&] { return worker.Passes() == passes + 1; });
    ++passes;
    EXPECT_EQ(Take(), Strings{c.sent});
    EXPECT_EQ(clock_.Sleeps(), Sleeps{500});
  }
  EXPECT_TRUE(debug_.Contains("LEDCommandThread"));
}

TEST_F(LedCommandWorkerTest, SpeedChangesDuringTheHalfSecondAreMergedIntoOneCommand) {
  std::atomic<LedCommandWorker*> target{nullptr};
  clock_.SetSleepObserver([&](std::uint64_t) {
    // The user keeps moving the track bar while the worker waits its half second.
    for (int speed : {30, 31, 32}) {
      state_.SetSpeed(4, static_cast<std::uint8_t>(speed));
      if (target.load() != nullptr) target.load()->Wake();
    }
  });
  state_.current_effect = 4;
  LedCommandWorker worker(commands_, state_, clock_, debug_);
  target = &worker;
  worker.Wake();
  Await([&] { return worker.Passes() == 1; });
  EXPECT_FALSE(worker.WakePending());
  EXPECT_EQ(Take(), Strings{"lib DLLQK_SetRGB_Mode 0x3A 0x00 0x04 0x20 500"});
}

// ThreadSanitizer's case: the UI thread changes everything the workers read
// while both keep sending.
TEST_F(LedEffectWorkerTest, TheUiWritesWhileBothWorkersSend) {
  LedDialogCommands dialog_commands(&library_);
  LedDialogState dialog_state;
  LedEffectWorker effect_worker(commands_, state_, clock_, debug_);
  LedCommandWorker command_worker(dialog_commands, dialog_state, clock_, debug_);
  constexpr int kRounds = 40;
  for (int round = 0; round < kRounds; ++round) {
    const auto byte = static_cast<std::uint8_t>(round + 1);
    state_.palette.SetColour(round % 7 + 1, static_cast<toolkit::Color>(round * 0x010203));
    if (round % 5 == 0) state_.palette.MarkPending();
    state_.device_mode = led::kModeBreathe + round % 3;
    state_.breathe_speed = byte;
    state_.rainbow_speed = byte;
    state_.multi_breathe_speed = byte;
    dialog_state.current_effect = 3 + round % 5;
    dialog_state.SetSpeed(3 + round % 5, byte);
    dialog_state.led_number = round % 3;
    dialog_state.master = round % 2 == 0;
    effect_worker.Wake();
    command_worker.Wake();
    // The UI's own sends go through the same library at the same time.
    commands_.Send(LedCommands::SlotColour(round % 7 + 1, 0x0000FF));
  }
  Await([&] { return effect_worker.Passes() > 0 && command_worker.Passes() > 0; });
  // Every pass's debug lines came out whole.
  for (const std::string& line : debug_.Lines()) {
    EXPECT_TRUE(line == "WaitForSingleObject" || line == "LEDEffectThread" || line == "LEDCommandThread") << line;
  }
}

}  // namespace
}  // namespace audio77
