#include "ui/SkinFeatureView.h"

#include "toolkit/Image.h"

namespace audio77::ui {

void SkinFeatureView::ShowSkinEntry(const std::string& control, const std::string& skin_key) {
  ControlFeatureView::ShowSkinEntry(control, skin_key);
  if (auto* image = form_.Find<toolkit::Image>(control)) skin_.ApplyEntry(skin_.Table().Get(skin_key), *image);
}

SliderTravel SkinFeatureView::EqTravel() const {
  const SkinTravel& eq = skin_.Geometry().eq;
  // Before a skin has been read the designed travel holds.
  if (eq.length == 0 && eq.top == 0) return ControlFeatureView::EqTravel();
  return {eq.top, eq.length};
}

}  // namespace audio77::ui
