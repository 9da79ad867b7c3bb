#pragma once
// Measures text for labels that size themselves.

#include <string_view>

#include "toolkit/Font.h"
#include "toolkit/Geometry.h"

namespace audio77::toolkit {

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // wrap_width 0: one line per line break; otherwise lines wrap at that width.
  virtual Size Measure(std::string_view text, const Font& font, int wrap_width) = 0;
};

}  // namespace audio77::toolkit
