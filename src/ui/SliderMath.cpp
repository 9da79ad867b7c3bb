#include "ui/SliderMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace audio77::ui {

int SliderMath::Clamp(int value, int a, int b) { return std::clamp(value, std::min(a, b), std::max(a, b)); }

int SliderMath::TopFromClick(int click_y, int knob_height) {
  // Rounded down also for odd and negative heights.
  const int half = static_cast<int>(std::floor(std::max(knob_height, 0) / 2.0));
  return click_y - half;
}

int SliderMath::ValueFromTop(int knob_top, int travel_top, int travel_length, int scale) {
  if (travel_length <= 0) return 0;
  const std::int64_t bottom = static_cast<std::int64_t>(travel_top) + travel_length;
  const std::int64_t top = std::clamp<std::int64_t>(knob_top, travel_top, bottom);
  return static_cast<int>((bottom - top) * scale / travel_length);
}

int SliderMath::EncLevel(int knob_top, int travel_top, int travel_length) {
  // (b - top) / ((b - a) / 30) in exact integer arithmetic: in single
  // precision the top of the travel came out as 29.99998 and showed 29.
  return std::clamp(ValueFromTop(knob_top, travel_top, travel_length, 30), 0, 30);
}

int SliderMath::EncHookTop(int new_top, int bar_top, int bar_height, int knob_height) {
  const int bottom = bar_top + bar_height;
  const double lowest = bottom - 1.2 * knob_height;
  int top = new_top;
  if (top > lowest) top = static_cast<int>(std::trunc(lowest));
  if (top < bar_top + 10) top = bar_top + 10;
  return top;
}

int SliderMath::LedSpeed(int x, int l0, int w_bar, int w_knob, bool fast_right) {
  const int span = w_bar - w_knob;
  int percent = span > 0 ? std::abs(x - l0) * 100 / span : 1;
  percent = std::clamp(percent, 1, 100);
  const int byte = std::clamp(percent * 255 / 100, 1, 255);
  if (!fast_right) return byte;
  const int reversed = 255 - byte;
  return reversed == 0 ? 1 : reversed;
}

}  // namespace audio77::ui
