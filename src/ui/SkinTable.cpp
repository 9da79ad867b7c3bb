#include "ui/SkinTable.h"

#include "ui/SkinKeys.h"

namespace audio77::ui {

SkinTable::SkinTable() : entries_(SkinKeyList().size()) {}

const SkinEntry& SkinTable::Get(std::string_view key) const {
  const auto keys = SkinKeyList();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].key == key && keys[i].kind == SkinKeyKind::kPicture) return entries_[i];
  }
  return none_;
}

const SkinEntry& SkinTable::Get(std::string_view section, std::string_view key) const {
  const auto keys = SkinKeyList();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].section == section && keys[i].key == key && keys[i].kind == SkinKeyKind::kPicture) {
      return entries_[i];
    }
  }
  return none_;
}

}  // namespace audio77::ui
