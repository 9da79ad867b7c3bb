#pragma once
// One entry of a pop-up menu. Its caption may carry "&" hot-key markers ("&&"
// is a literal "&"). With automatic check a click flips the check mark; a radio
// item instead checks itself and unchecks the other radio items of its group
// among its siblings. Then OnClick runs. An item captioned "-" is a separator.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace audio77::toolkit {

class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, MenuItem* parent);
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // The caption as shown: markers removed, "&&" as one "&".
  std::string PlainCaption() const;
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool AutoCheck() const { return auto_check_; }
  void SetAutoCheck(bool auto_check) { auto_check_ = auto_check; }
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool radio_item) { radio_item_ = radio_item; }
  int GroupIndex() const { return group_; }
  void SetGroupIndex(int group) { group_ = group; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  MenuItem* Parent() const { return parent_; }
  MenuItem& Add(std::string name, std::string caption);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  MenuItem* Find(const std::string& name);
  void Clear() { items_.clear(); }

  std::function<void(MenuItem&)> OnClick;
  // The user chose this item.
  void Click();

 private:
  void UncheckRadioSiblings();

  std::string name_;
  std::string caption_;
  MenuItem* parent_;
  int tag_ = 0;
  bool checked_ = false;
  bool auto_check_ = false;
  bool radio_item_ = false;
  int group_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace audio77::toolkit
