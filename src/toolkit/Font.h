#pragma once
// A label's font: face name, size in points, colour and style.

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

  friend bool operator==(const Font&, const Font&) = default;
  // The window is not rescaled for the screen, so a point is always 96/72 pixels.
  int PixelHeight() const {
    if (size_pixels > 0) return size_pixels;
    return static_cast<int>(std::lround(size_points * 96.0 / 72.0));
  }
};

}  // namespace audio77::toolkit
