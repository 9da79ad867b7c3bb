#include "ui/SkinMenu.h"

#include <filesystem>

namespace audio77::ui {

std::string SkinCaption(const std::string& skin_name) {
  std::string caption;
  for (const char c : skin_name) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

std::string SkinNameFromCaption(const std::string& caption) {
  std::string name;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (++i == caption.size()) break;
    }
    name += caption[i];
  }
  return name;
}

int BuildSkinMenu(toolkit::DirectoryList& list, const std::string& folder, toolkit::MenuItem& menu,
                  const std::string& current_skin,
                  const std::function<void(toolkit::MenuItem&)>& on_click) {
  list.SetDirectory(folder);
  toolkit::MenuItem* current = nullptr;
  int count = 0;
  for (const std::string& path : list.Items()) {
    const std::string name = std::filesystem::path(path).filename().string();
    toolkit::MenuItem& item = menu.Add("SkinMenuItem" + std::to_string(++count), SkinCaption(name));
    item.OnClick = on_click;
    if (current == nullptr && name == current_skin) current = &item;
  }
  if (current == nullptr && !menu.Items().empty()) current = menu.Items().front().get();
  CheckOnly(menu, current);
  return count;
}

void CheckOnly(toolkit::MenuItem& menu, const toolkit::MenuItem* item) {
  for (const auto& child : menu.Items()) child->SetChecked(child.get() == item);
}

toolkit::MenuItem* CheckedItem(toolkit::MenuItem& menu) {
  for (const auto& child : menu.Items()) {
    if (child->Checked()) return child.get();
  }
  return nullptr;
}

}  // namespace audio77::ui
