#pragma once
// A push button. A button with a modal result closes its modal form with that
// result when clicked.

#include <string>

#include "toolkit/Control.h"

namespace audio77::toolkit {

class Button final : public Control {
 public:
  Button(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  void Click() override;

 private:
  std::string caption_;
  int modal_result_ = 0;
};

}  // namespace audio77::toolkit
