#pragma once
// The arithmetic of the picture sliders: where a knob may stand and what its
// position is worth. Bounds are put in order before clamping, a travel of 0 or
// less reads as the bottom value, and nothing divides by zero or converts an
// infinite or NaN value to an integer.

namespace audio77::ui {

class SliderMath {
 public:
  // top limited to the range between a and b, whichever is larger.
  static int Clamp(int value, int a, int b);
  // The knob top a click at client y asks for: the knob centred on the click.
  static int TopFromClick(int click_y, int knob_height);
  // (travel top + length - knob top) * scale / length with integer division,
  // the knob clamped to the travel first; 0 when the length is 0 or less.
  static int ValueFromTop(int knob_top, int travel_top, int travel_length, int scale);
  // The ENC knob handler's level: (b - top) / ((b - a) / 30) truncated, for
  // a travel from a to b; 0 when the travel is empty, clamped to 0..30.
  static int EncLevel(int knob_top, int travel_top, int travel_length);
  // The ENC hook's limit: the knob no lower than 1.2 knob heights above the
  // bar's bottom and no higher than 10 pixels below the bar's top.
  static int EncHookTop(int new_top, int bar_top, int bar_height, int knob_height);
  // An LED speed knob's speed from its left x on a bar (left l0, width w_bar)
  // for a knob of width w_knob: 1..255, reversed when fast_right is set.
  static int LedSpeed(int x, int l0, int w_bar, int w_knob, bool fast_right);
};

}  // namespace audio77::ui
