#pragma once
// Real time from the steady clock.

#include "platform/Clock.h"

namespace audio77 {

class SteadyClock final : public Clock {
 public:
  std::uint64_t NowMs() const override;
  void Sleep(std::uint32_t ms) override;
};

}  // namespace audio77
