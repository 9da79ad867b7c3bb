#include "toolkit/ManualLoopDriver.h"

namespace audio77::toolkit {

ManualLoopDriver::ManualLoopDriver(EventLoop& loop, ManualClock& clock)
    : loop_(loop), clock_(clock) {}

void ManualLoopDriver::RunPending() { loop_.ProcessPending(); }

void ManualLoopDriver::Advance(std::uint64_t ms) {
  const std::uint64_t target = clock_.NowMs() + ms;
  loop_.ProcessPending();
  for (;;) {
    const auto next = loop_.NextDueMs();
    if (!next || *next > target) break;
    if (*next > clock_.NowMs()) clock_.Advance(*next - clock_.NowMs());
    loop_.ProcessPending();
    // A due timer that did not run (its own handler is still on the stack)
    // would otherwise hold time still forever.
    const auto still = loop_.NextDueMs();
    if (still && *still <= clock_.NowMs()) break;
  }
  if (target > clock_.NowMs()) clock_.Advance(target - clock_.NowMs());
  loop_.ProcessPending();
}

}  // namespace audio77::toolkit
