#pragma once
// A captioned group of radio items with one selected index (-1: none).
// SetItemIndex from code is quiet; Select is the user's choice and runs OnClick
// when the selection changed. A disabled group ignores the user.

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace audio77::toolkit {

class RadioGroup final : public Control {
 public:
  RadioGroup(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const std::vector<std::string>& Items() const { return items_; }
  // Keeps the selection when it is still an item, else clears it.
  void SetItems(std::vector<std::string> items);
  int ItemIndex() const { return item_index_; }
  // An index outside the items clears the selection.
  void SetItemIndex(int index);
  void Select(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);

 private:
  std::string caption_;
  std::vector<std::string> items_;
  int item_index_ = -1;
  int columns_ = 1;
};

}  // namespace audio77::toolkit
