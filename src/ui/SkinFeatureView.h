#pragma once
// The feature view once a skin is loaded: pictures come from the skin's
// entries and the equalizer's travel from its geometry; knobs, fills and
// value labels move as on the plain view.

#include <functional>
#include <string>

#include "ui/ControlFeatureView.h"
#include "ui/Skin.h"

namespace audio77::ui {

class SkinFeatureView final : public ControlFeatureView {
 public:
  SkinFeatureView(toolkit::Form& form, const Skin& skin) : ControlFeatureView(form), form_(form), skin_(skin) {}

  void ShowSkinEntry(const std::string& control, const std::string& skin_key) override;
  void HighlightLabel(int tag, bool down, const std::string& label_record) override;
  // Gives a label its up or down colour (the language knows them).
  void SetLabelColouring(std::function<void(const std::string& label, bool down)> colour) {
    colour_label_ = std::move(colour);
  }
  // The equalizer's and the 3D page's knobs run on the skin's EQ travel.
  SliderTravel Travel(int knob_tag) const override;
  // Whether the skin's entry names a picture; every key does before a skin
  // has been read.
  bool NamesPicture(const std::string& skin_key) const override;

 private:
  toolkit::Form& form_;
  const Skin& skin_;
  std::function<void(const std::string& label, bool down)> colour_label_;
};

}  // namespace audio77::ui
