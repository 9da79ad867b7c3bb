#pragma once
// The about window: the program's name, version and logo.

#include "toolkit/Form.h"

namespace audio77 {

class TAboutForm {
 public:
  explicit TAboutForm(toolkit::Application& app);
  toolkit::Form& Form() { return form_; }

 private:
  toolkit::Form form_;
};

}  // namespace audio77
