#include "lighting/FormLedPageView.h"

#include <cstdio>

#include "toolkit/Application.h"

namespace audio77 {

namespace {

// The skin's name of an effect in control and key names.
const char* EffectWord(int effect) {
  switch (effect) {
    case 2: return "Rainbow";
    case 3: return "Pulsating";
    default: return "Breathe";
  }
}

const char* CheckWord(LedCheck check) {
  switch (check) {
    case LedCheck::kOff: return "LEDOff";
    case LedCheck::kSingle: return "Single";
    case LedCheck::kBreathe: return "Breathe";
    case LedCheck::kRainbow: return "Rainbow";
    case LedCheck::kMultiBreathe: return "Pulsating";
  }
  return "LEDOff";
}

int EffectOf(LedCheck check) {
  switch (check) {
    case LedCheck::kBreathe: return 1;
    case LedCheck::kRainbow: return 2;
    case LedCheck::kMultiBreathe: return 3;
    default: return 0;
  }
}

const char* Side(bool pressed) { return pressed ? "Down" : "Up"; }

}  // namespace

std::string FormLedPageView::SwatchName(LedSwatch swatch) {
  if (swatch.number == LedSwatch::kSingle) return "ColorSingleShape";
  if (swatch.number == LedSwatch::kBreathe) return "ColorBreatheShape";
  char name[16];
  std::snprintf(name, sizeof name, "Color%02dShape", swatch.number);
  return name;
}

std::string FormLedPageView::KnobName(int effect) { return std::string("Color") + EffectWord(effect) + "SliderImage"; }

std::string FormLedPageView::BarName(int effect) { return std::string("Color") + EffectWord(effect) + "BarImage"; }

void FormLedPageView::ShowCheck(LedCheck check, bool pressed) {
  const std::string word = CheckWord(check);
  pictures_.ShowSkinEntry("Color" + word + "CheckImage", "Color" + word + "Check" + Side(pressed) + "Image");
  if (const int effect = EffectOf(check)) {
    pictures_.ShowSkinEntry(KnobName(effect), std::string("Color") + EffectWord(effect) + "Slider" + Side(pressed) + "Image");
  }
}

void FormLedPageView::ShowSpeedBar(int effect) { pictures_.ShowSkinEntry(BarName(effect), BarName(effect)); }

LedSpeedBar FormLedPageView::SpeedBar(int effect) const {
  const toolkit::Control* bar = form_.FindControl(BarName(effect));
  const toolkit::Control* knob = form_.FindControl(KnobName(effect));
  if (bar == nullptr || knob == nullptr) return {};
  return {bar->Left(), bar->Width(), knob->Width()};
}

int FormLedPageView::KnobLeft(int effect) const {
  const toolkit::Control* knob = form_.FindControl(KnobName(effect));
  return knob != nullptr ? knob->Left() : 0;
}

void FormLedPageView::SetKnobLeft(int effect, int left) {
  if (toolkit::Control* knob = form_.FindControl(KnobName(effect))) knob->SetLeft(left);
}

toolkit::Shape* FormLedPageView::Swatch(LedSwatch swatch) const { return form_.Find<toolkit::Shape>(SwatchName(swatch)); }

void FormLedPageView::FillSwatch(LedSwatch swatch, toolkit::Color colour) {
  if (toolkit::Shape* shape = Swatch(swatch)) shape->SetBrushColor(colour);
}

void FormLedPageView::OutlineSwatch(LedSwatch swatch, toolkit::Color colour, int width) {
  if (toolkit::Shape* shape = Swatch(swatch)) shape->SetPen(colour, width);
}

std::optional<toolkit::Color> FormLedPageView::ChooseColour(toolkit::Color initial) {
  return form_.App().GetDialogs().ChooseColor({initial});
}

void FormLedPageView::ProcessPending() { form_.App().Loop().ProcessPending(); }

}  // namespace audio77
