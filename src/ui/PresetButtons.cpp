#include "ui/PresetButtons.h"

#include <string>

namespace audio77::ui {

void PresetButtons::Show(FeatureView& view, const toolkit::Form& form, int preset) {
  for (int k = 1; k <= kCount; ++k) {
    const std::string name = "EQS" + std::to_string(k) + "Image";
    view.ShowSkinEntry(name, name + (k == preset ? "Down" : "Up"));
    view.HighlightLabel(kFirstTag - 1 + k, k == preset, "LabelEQS1");
  }
  if (preset < 1 || preset > kCount) return;
  const toolkit::Label* caption = form.FindLabelByTag(kFirstTag - 1 + preset);
  auto* sx = form.Find<toolkit::Label>("SXLabel");
  if (caption != nullptr && sx != nullptr) sx->SetCaption(caption->Caption());
}

}  // namespace audio77::ui
