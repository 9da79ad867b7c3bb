#pragma once
// A check box. Setting Checked from code is quiet; a click (the user's) flips
// the state and then runs OnClick.

#include <string>

#include "toolkit/Control.h"

namespace audio77::toolkit {

class CheckBox final : public Control {
 public:
  CheckBox(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Click() override;

 private:
  std::string caption_;
  bool checked_ = false;
};

}  // namespace audio77::toolkit
