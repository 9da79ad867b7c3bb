#pragma once
// The feature view once a skin is loaded: pictures come from the skin's
// entries and the equalizer's travel from its geometry; knobs, fills and
// value labels move as on the plain view.

#include "ui/ControlFeatureView.h"
#include "ui/Skin.h"

namespace audio77::ui {

class SkinFeatureView final : public ControlFeatureView {
 public:
  SkinFeatureView(toolkit::Form& form, const Skin& skin) : ControlFeatureView(form), form_(form), skin_(skin) {}

  void ShowSkinEntry(const std::string& control, const std::string& skin_key) override;
  SliderTravel EqTravel() const override;

 private:
  toolkit::Form& form_;
  const Skin& skin_;
};

}  // namespace audio77::ui
