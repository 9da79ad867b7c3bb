#pragma once
// The microphone page's controls on the main window: the Mic slider (knob,
// fill, value label) by name, the switch pictures through the feature view,
// the input level bar and the travels from the skin.

#include <functional>

#include "features/MicView.h"
#include "toolkit/Form.h"
#include "ui/FeatureView.h"
#include "ui/SkinGeometry.h"

namespace audio77 {

class MicFormView final : public MicView {
 public:
  // travel: the Mic slider's travel now (the skin's, or the designed one).
  MicFormView(toolkit::Form& form, FeatureView& view, std::function<SliderTravel()> travel,
              std::function<int()> progress_length);

  int TravelTop() const override { return travel_().top; }
  int TravelLength() const override { return travel_().length; }
  int KnobHeight() const override;
  int FillTop() const override;
  void SetKnobTop(int top) override;
  void SetFillHeight(int height) override;
  void SetValueLabel(const std::string& text) override;
  void ShowSwitch(int tag, int state) override { view_.ShowSwitch(tag, state); }
  int ProgressMaximum() const override { return progress_length_(); }
  void SetProgressWidth(int width) override;

 private:
  toolkit::Form& form_;
  FeatureView& view_;
  std::function<SliderTravel()> travel_;
  std::function<int()> progress_length_;
};

}  // namespace audio77
