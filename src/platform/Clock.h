#pragma once
// Time as the program sees it: a monotonic millisecond count and a sleep.
// Logic never sleeps any other way, so tests can run it on a manual clock.

#include <cstdint>

namespace audio77 {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary fixed point; never goes back.
  virtual std::uint64_t NowMs() const = 0;
  // Blocks the calling thread for ms milliseconds (a manual clock just advances).
  virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace audio77
