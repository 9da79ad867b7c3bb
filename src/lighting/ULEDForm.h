#pragma once
// The LED dialog: the lighting colours and speeds of the device.

#include "toolkit/Form.h"

namespace audio77 {

class TLEDForm {
 public:
  explicit TLEDForm(toolkit::Application& app);
  toolkit::Form& Form() { return form_; }

 private:
  toolkit::Form form_;
};

}  // namespace audio77
