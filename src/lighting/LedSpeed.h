#pragma once
// The speed sliders of the LED page: a knob dragged along a horizontal bar.
// Where the knob may stand, where it is drawn, and what its place is worth as
// a percent (1..100) and as the device's speed byte (1..255), with the scale
// reversed when the skin puts the fast end on the right. A bar with no travel
// (as wide as the knob or narrower) reads as the left end; nothing divides by
// zero.

#include <cstdint>

namespace audio77 {

// A bar in the window's client coordinates and the width of its knob.
struct LedSpeedBar {
  int left = 0;
  int width = 0;
  int knob_width = 0;
  // How far the knob's left may move: bar width less knob width.
  int Travel() const { return width - knob_width; }
};

class LedSpeed {
 public:
  static constexpr int kSlowest = 1;
  static constexpr int kFastest = 255;
  // The knob is drawn this far right of its place, except at the left end.
  static constexpr int kDrawnOffset = 3;

  // A knob left limited to the bar: [left, left + travel]; a bar without
  // travel keeps the knob at its left.
  static int ConstrainedLeft(int knob_left, const LedSpeedBar& bar);
  // Where a constrained knob is drawn.
  static int DrawnLeft(int constrained_left, const LedSpeedBar& bar);
  // A saved knob position placed again: never left of its bar.
  static int PlacedLeft(int saved_left, const LedSpeedBar& bar);
  // |knob left - bar left| * 100 / travel, then at least 1 and at most 100;
  // 1 for a bar without travel.
  static int Percent(int knob_left, const LedSpeedBar& bar);
  // percent * 255 / 100, 1..255; with fast_right 255 - that, and 0 becomes 1.
  static int SpeedOfPercent(int percent, bool fast_right);
  // The speed while dragging: Percent, then SpeedOfPercent.
  static int DragSpeed(int knob_left, const LedSpeedBar& bar, bool fast_right);
  // The speed the lighting starts with: the ends are exact (left 1, right 255,
  // reversed with fast_right), in between as while dragging. A bar without
  // travel is its left end.
  static int StartSpeed(int knob_left, const LedSpeedBar& bar, bool fast_right);
  // A speed from a profile or a skin, limited to 1..255 before it becomes a byte.
  static std::uint8_t ToByte(long long speed);
};

}  // namespace audio77
