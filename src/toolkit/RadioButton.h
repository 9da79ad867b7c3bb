#pragma once
// A radio button. Buttons with the same parent and group index form a group:
// checking one unchecks the others. A click on an unchecked button checks it and
// runs OnClick; a click on the checked one changes nothing.

#include <string>

#include "toolkit/Control.h"

namespace audio77::toolkit {

class RadioButton final : public Control {
 public:
  RadioButton(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  int GroupIndex() const { return group_; }
  void SetGroupIndex(int group) { group_ = group; }
  bool Checked() const { return checked_; }
  // Quiet: no OnClick. Checking unchecks the rest of the group.
  void SetChecked(bool checked);
  void Click() override;

 private:
  void UncheckSiblings();

  std::string caption_;
  int group_ = 0;
  bool checked_ = false;
};

}  // namespace audio77::toolkit
