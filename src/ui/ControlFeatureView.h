#pragma once
// The feature view over the form's controls: knobs and fills found by Tag
// move, value labels change their caption, switches show their side. Skin
// keys and label colours are remembered and handed to the picture function
// when the window gave one (the skin), so the window's state can be read back
// whether or not a skin is loaded. Positions of
// knobs that have no control are remembered too, so features work on a form
// that does not have every control.

#include <functional>
#include <map>
#include <utility>
#include <string>

#include "toolkit/Form.h"
#include "ui/FeatureView.h"

namespace audio77 {

class ControlFeatureView : public FeatureView {
 public:
  static constexpr SliderTravel kDefaultTravel{105, 120};

  explicit ControlFeatureView(toolkit::Form& form) : form_(form) {}

  // Shows a skin key on a control; returns false when the key names no
  // picture. Without one every key counts as a picture.
  using PictureFunction = std::function<void(const std::string& control, const std::string& key)>;
  using NamesPictureFunction = std::function<bool(const std::string& key)>;
  void SetPictureFunctions(PictureFunction show, NamesPictureFunction names) {
    show_picture_ = std::move(show);
    names_picture_ = std::move(names);
  }

  void SetEqTravel(SliderTravel travel) { travel_ = travel; }
  // Whether the label with tag shows its down colour (false when never set).
  bool LabelDown(int tag) const;
  std::string LabelRecordOf(int tag) const;
  // The skin key last shown on a control; empty when none.
  std::string SkinEntryOf(const std::string& control) const;
  int SwitchOf(int tag) const;

  void ShowSkinEntry(const std::string& control, const std::string& skin_key) override;
  bool NamesPicture(const std::string& skin_key) const override;
  void ShowSwitch(int tag, int state) override;
  void HighlightLabel(int tag, bool down, const std::string& label_record) override;
  SliderTravel Travel(int /*knob_tag*/) const override { return travel_; }
  int KnobTop(int tag) const override;
  void SetKnobTop(int tag, int top) override;
  int KnobHeight(int tag) const override;
  int FillTop(int tag) const override;
  void SetFillHeight(int tag, int height) override;
  void SetValueLabel(int tag, const std::string& text) override;
  void SetImageVisible(int tag, bool visible) override;

 private:
  toolkit::Form& form_;
  SliderTravel travel_ = kDefaultTravel;
  std::map<std::string, std::string> skin_entries_;
  std::map<int, int> switches_;
  std::map<int, int> knob_tops_;
  std::map<int, std::pair<bool, std::string>> label_colours_;
  PictureFunction show_picture_;
  NamesPictureFunction names_picture_;
};

}  // namespace audio77
