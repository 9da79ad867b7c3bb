#pragma once
// Dresses one label from its record: visibility and caption, font colour for
// its up or down state, font name, font size scaled for the screen, and its
// place.

#include "toolkit/Label.h"
#include "ui/LanguageTable.h"

namespace audio77::ui {

// The factor a font size in points is multiplied by on a screen of dpi
// logical pixels per inch (the newest platform class): 1.0 at 96, 0.8 at
// 120, 0.6664 at 144, 96/dpi elsewhere, so text keeps its pixel size.
double FontFactor(int dpi);

// The font size shown for points at dpi, rounded.
int ScaledFontSize(std::int32_t points, int dpi);

// Only the font colour of the up or down state (a switch or tab that changes).
void ApplyLabelColour(const LabelRecord& record, const GlobalFont& global, toolkit::Label& label,
                      bool up);

void ApplyLabel(const LabelRecord& record, const GlobalFont& global, toolkit::Label& label, bool up,
                int dpi);

}  // namespace audio77::ui
