#pragma once
// The "Skin" submenu of the tray menu: one item per skin folder, in
// alphabetical order, the current skin checked.
//
// A folder name may hold "&", which a menu caption reads as a hot-key marker;
// the caption doubles it, so the menu shows the real name and a click gives it
// back.

#include <functional>
#include <string>

#include "toolkit/DirectoryList.h"
#include "toolkit/MenuItem.h"

namespace audio77::ui {

// The caption that shows a skin name as it is.
std::string SkinCaption(const std::string& skin_name);
// The skin name of a caption: each "&" is dropped and the character after it
// kept, so "&&" gives one "&".
std::string SkinNameFromCaption(const std::string& caption);

// Lists folder through the directory list and fills menu with one item per
// sub-folder (its click runs on_click). Checks the item of current_skin, else
// the first item; nothing when there is none. Returns the number of items.
int BuildSkinMenu(toolkit::DirectoryList& list, const std::string& folder, toolkit::MenuItem& menu,
                  const std::string& current_skin,
                  const std::function<void(toolkit::MenuItem&)>& on_click);

// Checks only item among the items of its menu.
void CheckOnly(toolkit::MenuItem& menu, const toolkit::MenuItem* item);
// The checked item of the menu, or nullptr.
toolkit::MenuItem* CheckedItem(toolkit::MenuItem& menu);

}  // namespace audio77::ui
