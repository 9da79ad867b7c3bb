#include "toolkit/CheckBox.h"

namespace audio77::toolkit {

CheckBox::CheckBox(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kCheckBox, std::move(name), tag, parent, index) {}

void CheckBox::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  StateChanged();
}

void CheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  StateChanged();
}

void CheckBox::SetTextColor(std::optional<Color> color) {
  if (color == text_color_) return;
  text_color_ = color;
  StateChanged();
}

void CheckBox::Click() {
  SetChecked(!checked_);
  Control::Click();
}

}  // namespace audio77::toolkit
