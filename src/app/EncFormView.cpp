#include "app/EncFormView.h"

#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace audio77 {

EncFormView::EncFormView(toolkit::Form& form, FeatureView& view, Window window)
    : form_(form), view_(view), window_(std::move(window)) {}

void EncFormView::ShowPicture(const std::string& image, const std::string& skin_key) {
  view_.ShowSkinEntry(image, skin_key);
}

void EncFormView::ShowLabelDown(const std::string& label, bool down) {
  if (window_.colour_label) window_.colour_label(label, down);
}

void EncFormView::ShowCaption(const std::string& label, const std::string& text) {
  if (auto* shown = form_.Find<toolkit::Label>(label)) shown->SetCaption(text);
}

void EncFormView::SetEncKnobTop(int top) {
  // Tag 88 is the ENC knob's alone, but the name says which control is meant.
  if (auto* knob = form_.Find<toolkit::Image>("ENCSliderImage")) knob->SetTop(top);
}

}  // namespace audio77
