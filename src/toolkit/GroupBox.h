#pragma once
// A captioned frame that holds other controls; their positions are relative to it.

#include <string>

#include "toolkit/Control.h"

namespace audio77::toolkit {

class GroupBox final : public Control {
 public:
  GroupBox(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

 private:
  std::string caption_;
};

}  // namespace audio77::toolkit
