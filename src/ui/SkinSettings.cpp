#include "ui/SkinSettings.h"

namespace audio77::ui {

std::string_view SwatchName(std::size_t index) {
  static constexpr std::array<std::string_view, kSwatchCount> kNames = {
      "Color01Shape", "Color02Shape", "Color03Shape",     "Color04Shape",     "Color05Shape",
      "Color06Shape", "Color07Shape", "ColorSingleShape", "ColorBreatheShape"};
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

toolkit::ShapeType ShapeForCode(std::int32_t code) {
  switch (code) {
    case 2:
      return toolkit::ShapeType::kEllipse;
    case 3:
      return toolkit::ShapeType::kRectangle;
    case 4:
      return toolkit::ShapeType::kRoundRect;
    case 5:
      return toolkit::ShapeType::kRoundSquare;
    case 6:
      return toolkit::ShapeType::kSquare;
    default:
      return toolkit::ShapeType::kCircle;
  }
}

}  // namespace audio77::ui
