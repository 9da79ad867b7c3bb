#pragma once
// The LED page's view over the main window's controls: check images and speed
// knobs take the skin's up or down pictures, knobs move along their bars,
// swatches are filled and outlined, the colour dialog is the application's.

#include <string>

#include "lighting/LedPageView.h"
#include "toolkit/Form.h"
#include "ui/FeatureView.h"

namespace audio77 {

class FormLedPageView final : public LedPageView {
 public:
  FormLedPageView(toolkit::Form& form, FeatureView& pictures) : form_(form), pictures_(pictures) {}

  void ShowCheck(LedCheck check, bool pressed) override;
  void ShowSpeedBar(int effect) override;
  LedSpeedBar SpeedBar(int effect) const override;
  int KnobLeft(int effect) const override;
  void SetKnobLeft(int effect, int left) override;
  void FillSwatch(LedSwatch swatch, toolkit::Color colour) override;
  void OutlineSwatch(LedSwatch swatch, toolkit::Color colour, int width) override;
  std::optional<toolkit::Color> ChooseColour(toolkit::Color initial) override;
  void ProcessPending() override;

  // The control names of the page's parts.
  static std::string SwatchName(LedSwatch swatch);
  static std::string KnobName(int effect);
  static std::string BarName(int effect);

 private:
  toolkit::Shape* Swatch(LedSwatch swatch) const;

  toolkit::Form& form_;
  FeatureView& pictures_;
};

}  // namespace audio77
