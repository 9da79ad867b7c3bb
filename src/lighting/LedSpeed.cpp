#include "lighting/LedSpeed.h"

#include <algorithm>
#include <cstdlib>

namespace audio77 {

namespace {

int Reversed(int speed, bool fast_right) {
  if (!fast_right) return speed;
  const int reversed = LedSpeed::kFastest - speed;
  return reversed == 0 ? LedSpeed::kSlowest : reversed;
}

}  // namespace

int LedSpeed::ConstrainedLeft(int knob_left, const LedSpeedBar& bar) {
  if (bar.Travel() <= 0) return bar.left;
  return std::clamp(knob_left, bar.left, bar.left + bar.Travel());
}

int LedSpeed::DrawnLeft(int constrained_left, const LedSpeedBar& bar) {
  return constrained_left == bar.left ? constrained_left : constrained_left + kDrawnOffset;
}

int LedSpeed::PlacedLeft(int saved_left, const LedSpeedBar& bar) { return std::max(saved_left, bar.left); }

int LedSpeed::Percent(int knob_left, const LedSpeedBar& bar) {
  if (bar.Travel() <= 0) return 1;
  const long long distance = std::llabs(static_cast<long long>(knob_left) - bar.left);
  return static_cast<int>(std::clamp(distance * 100 / bar.Travel(), 1LL, 100LL));
}

int LedSpeed::SpeedOfPercent(int percent, bool fast_right) {
  const int speed = std::clamp(std::clamp(percent, 1, 100) * kFastest / 100, kSlowest, kFastest);
  return Reversed(speed, fast_right);
}

int LedSpeed::DragSpeed(int knob_left, const LedSpeedBar& bar, bool fast_right) {
  return SpeedOfPercent(Percent(knob_left, bar), fast_right);
}

int LedSpeed::StartSpeed(int knob_left, const LedSpeedBar& bar, bool fast_right) {
  if (bar.Travel() <= 0 || knob_left <= bar.left) return fast_right ? kFastest : kSlowest;
  if (knob_left >= bar.left + bar.Travel()) return fast_right ? kSlowest : kFastest;
  return DragSpeed(knob_left, bar, fast_right);
}

std::uint8_t LedSpeed::ToByte(long long speed) {
  return static_cast<std::uint8_t>(std::clamp<long long>(speed, kSlowest, kFastest));
}

}  // namespace audio77
