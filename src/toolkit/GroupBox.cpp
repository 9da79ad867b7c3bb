#include "toolkit/GroupBox.h"

namespace audio77::toolkit {

GroupBox::GroupBox(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kGroupBox, std::move(name), tag, parent, index) {}

void GroupBox::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  StateChanged();
}

}  // namespace audio77::toolkit
