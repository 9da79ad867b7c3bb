#include "features/ButtonReportRelay.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/ManualClock.h"

namespace audio77 {
namespace {

using Report = ButtonReportRelay::Report;

Report Numbered(std::uint8_t n) { return {0, 0, n, 0, 0}; }

struct Relay {
  ManualClock clock;
  toolkit::EventLoop loop{clock};
  std::vector<int> delivered;
  std::unique_ptr<ButtonReportRelay> relay =
      std::make_unique<ButtonReportRelay>(loop, [this](const Report& r) { delivered.push_back(r[2]); });
  DeviceLibrary::ButtonSink sink = relay->Sink();
  void Send(std::uint8_t n) { sink(0x2E8D, 0x771F, Numbered(n)); }
};

TEST(ButtonReportRelay, ReportsReachTheHandlerOnlyFromTheLoopInOrder) {
  Relay r;
  r.Send(1);
  EXPECT_EQ(r.loop.PendingTasks(), 0u) << "nothing is taken while detached";
  r.relay->Attach();
  r.Send(2);
  r.Send(3);
  EXPECT_TRUE(r.delivered.empty()) << "the sender's thread never runs the handler";
  r.loop.ProcessPending();
  EXPECT_EQ(r.delivered, (std::vector<int>{2, 3}));
}

TEST(ButtonReportRelay, ReportsPostedBeforeADetachAreDropped) {
  Relay r;
  r.relay->Attach();
  r.Send(1);
  r.relay->Detach();
  r.Send(2);
  r.relay->Attach();
  r.Send(3);
  r.loop.ProcessPending();
  EXPECT_EQ(r.delivered, (std::vector<int>{3}));
}

TEST(ButtonReportRelay, TheSinkOutlivesTheRelayHarmlessly) {
  Relay r;
  r.relay->Attach();
  r.Send(1);
  r.relay.reset();
  r.Send(2);
  r.loop.ProcessPending();
  EXPECT_TRUE(r.delivered.empty());
  EXPECT_EQ(r.loop.PendingTasks(), 0u);
}

}  // namespace
}  // namespace audio77
