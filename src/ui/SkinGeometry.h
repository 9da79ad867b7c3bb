#pragma once
// The numbers of a skin that are not pictures: slider travels, the microphone
// level bar, the speaker circle and the LED page switches.

#include <cstdint>

namespace audio77::ui {

// A vertical slider travel: the knob's top runs from top (highest value) to
// top + length (lowest value).
struct SkinTravel {
  std::int32_t top = 0;
  std::int32_t length = 0;

  // How far up the travel a knob top is, 0.0 at the bottom to 1.0 at the top,
  // clamped. A skin may give a length of 0 or less: that reads as the bottom,
  // never as a division by zero.
  double FractionFromBottom(std::int32_t knob_top) const;
  // The knob top for a fraction from the bottom (clamped to 0..1); the travel
  // top when the length is 0 or less.
  std::int32_t KnobTop(double fraction_from_bottom) const;
};

struct SkinGeometry {
  SkinTravel eq;
  // The 3D sliders travel as far as the EQ sliders.
  std::int32_t d3_length = 0;
  SkinTravel mic;
  std::int32_t mic_progress_length = 0;
  std::int32_t center_x = 0;
  std::int32_t center_y = 0;
  std::int32_t radius = 0;
  std::int32_t previous_radius = 0;
  SkinTravel enc;
  std::int32_t led_page_mode = 0;
  std::int32_t led_fast_right_side = 0;

  // radius / previous radius, the scale of the speaker circle after a skin
  // change; 1 when the previous radius is 0 or less.
  double RadiusRatio() const;
};

}  // namespace audio77::ui
