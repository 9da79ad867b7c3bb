#include "toolkit/RadioButton.h"

#include "toolkit/Form.h"

namespace audio77::toolkit {

RadioButton::RadioButton(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kRadioButton, std::move(name), tag, parent, index) {}

void RadioButton::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  StateChanged();
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked_) UncheckSiblings();
  StateChanged();
}

void RadioButton::UncheckSiblings() {
  for (const auto& control : Owner().Controls()) {
    if (control.get() == this || control->Kind() != ControlKind::kRadioButton) continue;
    auto& other = static_cast<RadioButton&>(*control);
    if (other.Parent() == Parent() && other.group_ == group_) other.SetChecked(false);
  }
}

void RadioButton::Click() {
  if (checked_) return;
  SetChecked(true);
  Control::Click();
}

}  // namespace audio77::toolkit
