#pragma once
// The simple mode window: the few switches a person needs most.

#include "toolkit/Form.h"

namespace audio77 {

class TSimpleForm {
 public:
  explicit TSimpleForm(toolkit::Application& app);
  toolkit::Form& Form() { return form_; }

 private:
  toolkit::Form form_;
};

}  // namespace audio77
