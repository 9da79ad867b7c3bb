// The window instance: its four windows, the first activation of a start at
// logon, bringing it forward, and the loop that the exit message ends.
#include <gtest/gtest.h>

#include "app/MainWindowInstance.h"
#include "support/harness/ProgramHarness.h"
#include "toolkit/Timer.h"

namespace audio77 {
namespace {

using test::ProgramHarness;

TEST(MainWindowInstance, OnlyAStartAtLogonGoesToTheTrayAtItsFirstActivation) {
  struct Case {
    const char* command_line;
    bool to_tray;
  };
  const Case cases[] = {
      {"/opt/audio77/audio77 -serviceboot", true},
      {"/opt/audio77/audio77 -ServiceBoot", false},
      {"/opt/audio77/audio77 -servicestart", false},
      {"/opt/audio77/audio77 -x -servicestart -serviceboot", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command_line);
    ProgramHarness h;
    MainWindowInstance window({h.GetPlatform(), h.App(), c.command_line});
    bool visible_while_running = false;
    bool visible_after_bring_forward = false;
    // Due well after start-up: its sleeps (the lighting's among them, on
    // the worker's thread too) move the same manual clock, and start-up lets
    // timers run while it waits.
    toolkit::Timer check(h.App().Loop(), "Check", 5000, true);
    check.OnTimer = [&](toolkit::Timer& timer) {
      timer.SetEnabled(false);
      visible_while_running = window.MainForm()->Form().Visible();
      // A second instance brings it back; it never goes away again by itself.
      window.BringForward();
      visible_after_bring_forward = window.MainForm()->Form().Visible();
      window.Close();
    };
    window.Run();
    EXPECT_EQ(visible_while_running, !c.to_tray);
    EXPECT_TRUE(visible_after_bring_forward);
    const auto debug = h.DebugLines();
    EXPECT_EQ(std::count(debug.begin(), debug.end(), "-serviceboot"), c.to_tray ? 1 : 0);
  }
}

TEST(MainWindowInstance, RunsUntilTheExitMessageAndThenShutsDown) {
  ProgramHarness h;
  Platform& platform = h.GetPlatform();
  MainWindowInstance window({platform, h.App(), "audio77 -servicestart"});
  toolkit::Timer tick(h.App().Loop(), "Tick", 50, true);
  int ticks = 0;
  tick.OnTimer = [&](toolkit::Timer&) {
    if (++ticks == 1) {
      // Messages the window does not act on leave it running.
      platform.bus.Broadcast(platform.bus.Register("WM_AUDIO_EFFECT_EXIT"));
      platform.bus.Broadcast(platform.bus.Register("WM_APP_EXIT_RESUME"));
    } else {
      EXPECT_FALSE(h.App().Terminated());
      h.ClearTrace();
      platform.bus.Broadcast(platform.bus.Register("WM_QKW77xxAPP_EXIT"));
    }
  };
  window.Run();
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(h.App().Terminated());
  // The shutdown ran: the device was left neutral.
  bool closing_report = false;
  for (const auto& line : h.Trace()) closing_report = closing_report || line.rfind("hid out 000000", 0) == 0;
  EXPECT_TRUE(closing_report);
}

}  // namespace
}  // namespace audio77
