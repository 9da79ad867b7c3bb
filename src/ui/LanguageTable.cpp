#include "ui/LanguageTable.h"

namespace audio77::ui {

const LabelRecord& LanguageTable::Of(std::string_view key) const {
  static const LabelRecord kNone;
  const std::size_t index = LanguageKeyIndex(key);
  return index < records.size() ? records[index] : kNone;
}

}  // namespace audio77::ui
