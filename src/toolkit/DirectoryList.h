#pragma once
// The sub-folders of one folder as full paths, in alphabetical order (case
// folded, as a file manager lists them). A folder that is missing or cannot be
// read lists nothing.

#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace audio77::toolkit {

class DirectoryList final : public Control {
 public:
  DirectoryList(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Directory() const { return directory_; }
  void SetDirectory(std::string directory);
  // Reads the folder again.
  void Refresh();
  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::string directory_;
  std::vector<std::string> items_;
};

}  // namespace audio77::toolkit
