#pragma once
// A check box. Setting Checked from code is quiet; a click (the user's) flips
// the state and then runs OnClick.

#include <optional>
#include <string>

#include "toolkit/Color.h"
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
  // The caption's colour; none: the system's text colour.
  const std::optional<Color>& TextColor() const { return text_color_; }
  void SetTextColor(std::optional<Color> color);

 private:
  std::string caption_;
  bool checked_ = false;
  std::optional<Color> text_color_;
};

}  // namespace audio77::toolkit
