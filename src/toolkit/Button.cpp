#include "toolkit/Button.h"

#include "toolkit/Form.h"

namespace audio77::toolkit {

Button::Button(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kButton, std::move(name), tag, parent, index) {}

void Button::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  StateChanged();
}

void Button::Click() {
  Control::Click();
  if (modal_result_ != 0) Owner().SetModalResult(modal_result_);
}

}  // namespace audio77::toolkit
