#pragma once
// A font-free measurer for headless use: every character is a fixed fraction of
// the font's pixel height wide. Deterministic, so model tests need no fonts.

#include "toolkit/TextMeasurer.h"

namespace audio77::toolkit {

class EstimatedTextMeasurer final : public TextMeasurer {
 public:
  Size Measure(std::string_view text, const Font& font, int wrap_width) override;
};

}  // namespace audio77::toolkit
