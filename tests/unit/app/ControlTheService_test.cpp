// Service requests against scripted services of the virtual platform.
#include "app/ControlTheService.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/ManualClock.h"
#include "sim/platform/VirtualServiceManager.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

struct ServiceCase {
  const char* name;
  const char* services_ini;
  std::uint32_t code;
  std::uint32_t result;
  std::size_t pauses;  // 300 ms pauses while polling
};

const ServiceCase kCases[] = {
    {"manager unreachable", "[Manager]\nReachable=0\n", 0, 1, 0},
    {"service unknown", "", 0, 2, 0},
    {"status unreadable", "[AudioDeviceService]\nQueryFails=1\n", 0, 3, 0},
    {"start when running", "[AudioDeviceService]\nState=running\n", 0, 0, 0},
    {"start at once", "[AudioDeviceService]\nState=stopped\nStartPolls=0\n", 0, 0, 0},
    {"start after three polls", "[AudioDeviceService]\nStartPolls=3\n", 0, 0, 2},
    {"start on the last poll", "[AudioDeviceService]\nStartPolls=30\n", 0, 0, 29},
    {"start one poll too slow", "[AudioDeviceService]\nStartPolls=31\n", 0, 7, 30},
    {"start never completes", "[AudioDeviceService]\nStartPolls=never\n", 0, 7, 30},
    {"start refused", "[AudioDeviceService]\nStartFails=1\n", 0, 6, 0},
    {"stop when stopped", "[AudioDeviceService]\nState=1\n", 1, 0, 0},
    {"stop after two polls", "[AudioDeviceService]\nState=running\nStopPolls=2\n", 1, 0, 1},
    {"stop refused", "[AudioDeviceService]\nState=running\nStopFails=1\n", 1, 4, 0},
    {"stop never completes", "[AudioDeviceService]\nState=running\nStopPolls=never\n", 1, 5, 30},
    {"stop from a pending start", "[AudioDeviceService]\nState=start-pending\n", 1, 0, 0},
    {"own code delivered", "[AudioDeviceService]\n", 196, 0, 0},
    {"own code refused still done", "[AudioDeviceService]\nControlFails=1\n", 193, 0, 0},
    {"own code, status unreadable", "[AudioDeviceService]\nQueryFails=1\n", 196, 3, 0},
    {"unreadable values keep defaults", "[AudioDeviceService]\nState=warm\nStartPolls=-4\nStartFails=x\n", 0, 0, 0},
};

TEST(ControlTheService, ResultsAndPollingAgainstScriptedServices) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    test::TempDir state;
    state.Write("services.ini", c.services_ini);
    sim::VirtualServiceManager manager(state.path().string());
    ManualClock clock;
    EXPECT_EQ(ControlTheService(manager, clock, "AudioDeviceService", c.code), c.result);
    EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>(c.pauses, 300));
  }
}

// Access rights follow the code, every handle that was opened is closed, and
// the trace shows each call in order.
TEST(ControlTheService, TracesEveryCallAndClosesEveryHandle) {
  struct TraceCase {
    const char* services_ini;
    std::uint32_t code;
    std::vector<std::string> trace;
  };
  const TraceCase cases[] = {
      {"[AudioDeviceService]\nState=running\n", 196,
       {"scm - open-manager 0x1 = ok", "scm AudioDeviceService open 0x104 = ok",
        "scm AudioDeviceService query - = 4", "scm AudioDeviceService control 196 = ok",
        "scm AudioDeviceService close - = ok", "scm - close-manager - = ok"}},
      {"[AudioDeviceService]\nStartPolls=1\n", 0,
       {"scm - open-manager 0x1 = ok", "scm AudioDeviceService open 0xF01FF = ok",
        "scm AudioDeviceService query - = 1", "scm AudioDeviceService start - = ok",
        "scm AudioDeviceService query - = 4", "scm AudioDeviceService close - = ok",
        "scm - close-manager - = ok"}},
      {"[AudioDeviceService]\nState=running\nStopFails=1\n", 1,
       {"scm - open-manager 0x1 = ok", "scm AudioDeviceService open 0xF01FF = ok",
        "scm AudioDeviceService query - = 4", "scm AudioDeviceService control 1 = failed",
        "scm AudioDeviceService close - = ok", "scm - close-manager - = ok"}},
      {"", 193,
       {"scm - open-manager 0x1 = ok", "scm AudioDeviceService open 0x104 = failed",
        "scm - close-manager - = ok"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.services_ini);
    test::TempDir state;
    state.Write("services.ini", c.services_ini);
    sim::VirtualServiceManager manager(state.path().string());
    ManualClock clock;
    ControlTheService(manager, clock, "AudioDeviceService", c.code);
    EXPECT_EQ(Lines(state.Read("trace.log")), c.trace);
  }
}

TEST(VirtualServiceManager, StateCarriesOverBetweenRequestsOfOneProcess) {
  test::TempDir state;
  state.Write("services.ini", "[AudioDeviceService]\nStartPolls=0\nStopPolls=0\n");
  sim::VirtualServiceManager manager(state.path().string());
  ManualClock clock;
  EXPECT_EQ(ControlTheService(manager, clock, "AudioDeviceService", kServiceCodeStart), 0u);
  const auto connection = manager.OpenManager(1);
  ASSERT_NE(connection, nullptr);
  EXPECT_EQ(connection->OpenService("AudioDeviceService", 4)->QueryState(), ServiceState::kRunning);
  EXPECT_EQ(ControlTheService(manager, clock, "AudioDeviceService", kServiceCodeStop), 0u);
  EXPECT_EQ(connection->OpenService("AudioDeviceService", 4)->QueryState(), ServiceState::kStopped);
}

}  // namespace
}  // namespace audio77
