#pragma once
// What the LED page draws on and asks the user through. The window implements
// it over its controls; the page names them by role, never by Tag.

#include <optional>

#include "lighting/LedSpeed.h"
#include "toolkit/Color.h"

namespace audio77 {

// The check images of the page.
enum class LedCheck { kOff, kSingle, kBreathe, kRainbow, kMultiBreathe };

// The nine colour swatches: palette slots 1..7, then the single and the
// breathe colour (the order of the skin's swatch keys).
struct LedSwatch {
  static constexpr int kCount = 9;
  static constexpr int kSingle = 8;
  static constexpr int kBreathe = 9;
  int number = 1;  // 1..9
  bool operator==(const LedSwatch&) const = default;
};

class LedPageView {
 public:
  virtual ~LedPageView() = default;
  // A check image, and for the three effects also its speed knob, shows its
  // pressed or its released picture.
  virtual void ShowCheck(LedCheck check, bool pressed) = 0;
  // The bar of effect 1..3 shows the skin's picture.
  virtual void ShowSpeedBar(int effect) = 0;
  // The speed knob of effect 1..3 and the bar it runs on.
  virtual LedSpeedBar SpeedBar(int effect) const = 0;
  virtual int KnobLeft(int effect) const = 0;
  virtual void SetKnobLeft(int effect, int left) = 0;
  virtual void FillSwatch(LedSwatch swatch, toolkit::Color colour) = 0;
  virtual void OutlineSwatch(LedSwatch swatch, toolkit::Color colour, int width) = 0;
  // The platform's colour dialog; nothing when cancelled.
  virtual std::optional<toolkit::Color> ChooseColour(toolkit::Color initial) = 0;
  // Lets the window's pending messages run.
  virtual void ProcessPending() = 0;
};

}  // namespace audio77
