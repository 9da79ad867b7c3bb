#include "ui/SkinGeometry.h"

#include <algorithm>
#include <cmath>

namespace audio77::ui {

double SkinTravel::FractionFromBottom(std::int32_t knob_top) const {
  if (length <= 0) return 0.0;
  const double below_top = static_cast<double>(knob_top) - static_cast<double>(top);
  return std::clamp(1.0 - below_top / static_cast<double>(length), 0.0, 1.0);
}

std::int32_t SkinTravel::KnobTop(double fraction_from_bottom) const {
  if (length <= 0) return top;
  const double f = std::clamp(fraction_from_bottom, 0.0, 1.0);
  return static_cast<std::int32_t>(
      std::lround(static_cast<double>(top) + (1.0 - f) * static_cast<double>(length)));
}

double SkinGeometry::RadiusRatio() const {
  if (previous_radius <= 0) return 1.0;
  return static_cast<double>(radius) / static_cast<double>(previous_radius);
}

}  // namespace audio77::ui
