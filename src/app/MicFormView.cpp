#include "app/MicFormView.h"

#include <algorithm>

#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace audio77 {
namespace {

constexpr const char* kKnob = "MicSliderImage";
// Tag 238 is shared with the LED page: the fill goes by its name.
constexpr const char* kFill = "MicBarDownImage";
constexpr const char* kValue = "MicValueLabel";
constexpr const char* kProgress = "MicProgressImage";

}  // namespace

MicFormView::MicFormView(toolkit::Form& form, FeatureView& view, std::function<SliderTravel()> travel,
                         std::function<int()> progress_length)
    : form_(form), view_(view), travel_(std::move(travel)), progress_length_(std::move(progress_length)) {}

int MicFormView::KnobHeight() const {
  const auto* knob = form_.Find<toolkit::Image>(kKnob);
  return knob != nullptr ? knob->Height() : 0;
}

int MicFormView::FillTop() const {
  const auto* fill = form_.Find<toolkit::Image>(kFill);
  return fill != nullptr ? fill->Top() : 0;
}

void MicFormView::SetKnobTop(int top) {
  if (auto* knob = form_.Find<toolkit::Image>(kKnob)) knob->SetTop(top);
}

void MicFormView::SetFillHeight(int height) {
  if (auto* fill = form_.Find<toolkit::Image>(kFill)) fill->SetHeight(std::max(0, height));
}

void MicFormView::SetValueLabel(const std::string& text) {
  if (auto* label = form_.Find<toolkit::Label>(kValue)) label->SetCaption(text);
}

void MicFormView::SetProgressWidth(int width) {
  if (auto* bar = form_.Find<toolkit::Image>(kProgress)) bar->SetWidth(width);
}

}  // namespace audio77
