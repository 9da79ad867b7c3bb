#include "ui/SkinFeatureView.h"

#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace audio77::ui {

void SkinFeatureView::ShowSkinEntry(const std::string& control, const std::string& skin_key) {
  ControlFeatureView::ShowSkinEntry(control, skin_key);
  if (auto* image = form_.Find<toolkit::Image>(control)) skin_.ApplyEntry(skin_.Table().Get(skin_key), *image);
}

bool SkinFeatureView::NamesPicture(const std::string& skin_key) const {
  const SkinTravel& eq = skin_.Geometry().eq;
  if (eq.length == 0 && eq.top == 0) return ControlFeatureView::NamesPicture(skin_key);
  return !skin_.Table().Get(skin_key).file.empty();
}

void SkinFeatureView::HighlightLabel(int tag, bool down, const std::string& label_record) {
  ControlFeatureView::HighlightLabel(tag, down, label_record);
  if (!colour_label_) return;
  if (const toolkit::Label* label = form_.FindLabelByTag(tag)) colour_label_(label->Name(), down);
}

SliderTravel SkinFeatureView::Travel(int knob_tag) const {
  const SkinTravel& eq = skin_.Geometry().eq;
  // Before a skin has been read the designed travel holds.
  if (eq.length == 0 && eq.top == 0) return ControlFeatureView::Travel(knob_tag);
  return {eq.top, eq.length};
}

}  // namespace audio77::ui
