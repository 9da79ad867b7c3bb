#pragma once
// The feature view over the form's controls, until the skin supplies pictures
// and geometry: knobs and fills found by Tag move, value labels change their
// caption; skin pictures and label colours are only remembered. Positions of
// knobs that have no control are remembered too, so features work on a form
// that does not have every control.

#include <map>
#include <string>

#include "toolkit/Form.h"
#include "ui/FeatureView.h"

namespace audio77 {

class ControlFeatureView : public FeatureView {
 public:
  static constexpr SliderTravel kDefaultTravel{105, 120};

  explicit ControlFeatureView(toolkit::Form& form) : form_(form) {}

  void SetEqTravel(SliderTravel travel) { travel_ = travel; }
  // The skin key last shown on a control; empty when none.
  std::string SkinEntryOf(const std::string& control) const;
  int SwitchOf(int tag) const;

  void ShowSkinEntry(const std::string& control, const std::string& skin_key) override;
  void ShowSwitch(int tag, int state) override;
  void HighlightLabel(int tag, bool down, const std::string& label_record) override;
  SliderTravel EqTravel() const override { return travel_; }
  int KnobTop(int tag) const override;
  void SetKnobTop(int tag, int top) override;
  int KnobHeight(int tag) const override;
  int FillTop(int tag) const override;
  void SetFillHeight(int tag, int height) override;
  void SetValueLabel(int tag, const std::string& text) override;

 private:
  toolkit::Form& form_;
  SliderTravel travel_ = kDefaultTravel;
  std::map<std::string, std::string> skin_entries_;
  std::map<int, int> switches_;
  std::map<int, int> knob_tops_;
};

}  // namespace audio77
