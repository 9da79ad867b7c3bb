#include "toolkit/MenuItem.h"

namespace audio77::toolkit {

MenuItem::MenuItem(std::string name, std::string caption, MenuItem* parent)
    : name_(std::move(name)), caption_(std::move(caption)), parent_(parent) {}

std::string MenuItem::PlainCaption() const {
  std::string plain;
  for (std::size_t i = 0; i < caption_.size(); ++i) {
    if (caption_[i] == '&') {
      if (i + 1 == caption_.size()) break;
      ++i;
    }
    plain += caption_[i];
  }
  return plain;
}

void MenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked_ && radio_item_) UncheckRadioSiblings();
}

void MenuItem::UncheckRadioSiblings() {
  if (parent_ == nullptr) return;
  for (const auto& sibling : parent_->items_) {
    if (sibling.get() != this && sibling->radio_item_ && sibling->group_ == group_)
      sibling->checked_ = false;
  }
}

MenuItem& MenuItem::Add(std::string name, std::string caption) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), this));
  return *items_.back();
}

MenuItem* MenuItem::Find(const std::string& name) {
  for (const auto& item : items_) {
    if (item->name_ == name) return item.get();
    if (MenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

void MenuItem::Click() {
  if (!enabled_) return;
  if (auto_check_) SetChecked(radio_item_ ? true : !checked_);
  if (OnClick) OnClick(*this);
}

}  // namespace audio77::toolkit
