#pragma once
// A label's font: face name, size in points, colour and style.

#include <algorithm>
#include <cmath>
#include <string>

#include "toolkit/Color.h"

namespace audio77::toolkit {

struct Font {
  std::string name = "Tahoma";
  int size_points = 8;
  // Fonts given in pixels ("Consolas 19 pixels"): when positive, this wins.
  int size_pixels = 0;
  Color color = kBlack;
  bool bold = false;
  bool italic = false;
  bool underline = false;

  friend bool operator==(const Font&, const Font&) = default;
  // Taller than any screen. Sizes come from language files, so a wild one is
  // held here instead of reaching the text layout and the font engine.
  static constexpr int kLargestPixelHeight = 4096;

  // The window is not rescaled for the screen, so a point is always 96/72 pixels.
  // Never negative.
  int PixelHeight() const {
    const double pixels = size_pixels > 0 ? size_pixels : std::round(size_points * 96.0 / 72.0);
    return static_cast<int>(std::clamp(pixels, 0.0, static_cast<double>(kLargestPixelHeight)));
  }
};

}  // namespace audio77::toolkit
