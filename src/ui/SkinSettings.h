#pragma once
// Everything one "SkinSetting.ini" gives: the skin entries, the geometry, the
// separators' visibility and the LED swatch outlines.

#include <array>
#include <cstdint>

#include "toolkit/Geometry.h"
#include "toolkit/Shape.h"
#include "ui/SkinGeometry.h"
#include "ui/SkinTable.h"

namespace audio77::ui {

inline constexpr std::size_t kSwatchCount = 9;
// Color01Shape .. Color07Shape, ColorSingleShape, ColorBreatheShape.
std::string_view SwatchName(std::size_t index);

struct SkinSwatch {
  // Whether the skin placed it; otherwise it keeps its place and outline.
  bool given = false;
  toolkit::Rect bounds;
  std::int32_t shape_code = 1;
};

// 1 circle, 2 ellipse, 3 rectangle, 4 rounded rectangle, 5 rounded square,
// 6 square; any other code is a circle.
toolkit::ShapeType ShapeForCode(std::int32_t code);

struct SkinSettings {
  SkinTable table;
  SkinGeometry geometry;
  // Bevel2..Bevel4 and Bevel5..Bevel7.
  bool bevel_line = false;
  bool bevel_line2 = false;
  std::array<SkinSwatch, kSwatchCount> swatches{};
};

}  // namespace audio77::ui
