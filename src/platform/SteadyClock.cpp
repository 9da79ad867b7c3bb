#include "platform/SteadyClock.h"

#include <chrono>
#include <thread>

namespace audio77 {

std::uint64_t SteadyClock::NowMs() const {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::Sleep(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace audio77
