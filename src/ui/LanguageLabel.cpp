#include "ui/LanguageLabel.h"

#include <cmath>
#include <limits>

namespace audio77::ui {

double FontFactor(int dpi) {
  switch (dpi) {
    case 96:
      return 1.0;
    case 120:
      return 0.8;
    case 144:
      return 0.6664;
    default:
      // An unknown or unusable resolution keeps the size as given.
      return dpi > 0 ? 96.0 / dpi : 1.0;
  }
}

int ScaledFontSize(std::int32_t points, int dpi) {
  const double scaled = std::round(points * FontFactor(dpi));
  if (scaled >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (scaled <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(scaled);
}

void ApplyLabelColour(const LabelRecord& record, const GlobalFont& global, toolkit::Label& label,
                      bool up) {
  toolkit::Font font = label.GetFont();
  if (up) {
    if (record.color_up_given) {
      font.color = record.color_up;
    } else if (global.color_up != 0) {
      font.color = global.color_up;
    }
  } else {
    if (record.color_down_given) {
      font.color = record.color_down;
    } else if (global.color_down != 0) {
      font.color = global.color_down;
    }
  }
  label.SetFont(font);
}

void ApplyLabel(const LabelRecord& record, const GlobalFont& global, toolkit::Label& label, bool up,
                int dpi) {
  // The caption is set even when it hides the control, so whatever decides
  // visibility later (a page change) reads the same text.
  label.SetCaption(record.caption);
  label.SetVisible(record.Shows());
  ApplyLabelColour(record, global, label, up);
  toolkit::Font font = label.GetFont();
  if (record.font_given) {
    font.name = record.font;
  } else if (!global.font.empty()) {
    font.name = global.font;
  }
  if (record.font_size_given) {
    font.size_points = ScaledFontSize(record.font_size, dpi);
  } else if (global.font_size != -1) {
    font.size_points = ScaledFontSize(global.font_size, dpi);
  }
  label.SetFont(font);
  toolkit::Rect bounds = label.Bounds();
  if (record.left_given) bounds.left = record.left;
  if (record.top_given) bounds.top = record.top;
  if (record.width_given) bounds.width = record.width;
  if (record.height_given) bounds.height = record.height;
  label.SetBounds(bounds);
}

}  // namespace audio77::ui
