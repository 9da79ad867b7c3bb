#pragma once
// The LED colours of the main window: palette colours 1 to 7, the single and
// the breathe colour, in the order of the swatch shapes that show them.

#include <array>

#include "toolkit/Color.h"
#include "ui/SkinSettings.h"

namespace audio77::ui {

using LedColours = std::array<toolkit::Color, kSwatchCount>;

// Red, aqua, yellow, white, lime, blue, fuchsia; single and breathe red.
inline constexpr LedColours kFixedLedColours = {0x0000FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0x00FF00,
                                                0xFF0000, 0xFF00FF, 0x0000FF, 0x0000FF};

}  // namespace audio77::ui
