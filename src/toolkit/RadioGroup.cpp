#include "toolkit/RadioGroup.h"

#include <algorithm>

namespace audio77::toolkit {

RadioGroup::RadioGroup(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kRadioGroup, std::move(name), tag, parent, index) {}

void RadioGroup::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  StateChanged();
}

void RadioGroup::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  if (item_index_ >= static_cast<int>(items_.size())) item_index_ = -1;
  StateChanged();
}

void RadioGroup::SetItemIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
  if (index == item_index_) return;
  item_index_ = index;
  StateChanged();
}

void RadioGroup::Select(int index) {
  if (!EffectivelyEnabled()) return;
  const int before = item_index_;
  SetItemIndex(index);
  if (item_index_ != before) Click();
}

void RadioGroup::SetColumns(int columns) {
  columns_ = std::max(columns, 1);
  StateChanged();
}

}  // namespace audio77::toolkit
