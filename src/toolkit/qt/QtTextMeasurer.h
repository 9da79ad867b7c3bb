#pragma once
// Measures label text with the real font, as the painter will draw it.

#include "toolkit/TextMeasurer.h"

class QFont;

namespace audio77::toolkit::qt {

class QtTextMeasurer final : public TextMeasurer {
 public:
  Size Measure(std::string_view text, const Font& font, int wrap_width) override;
};

// The Qt font for a label font (pixel size, so the screen's DPI does not scale it).
QFont ToQFont(const Font& font);

}  // namespace audio77::toolkit::qt
