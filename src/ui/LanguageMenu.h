#pragma once
// The "Language" submenu of the tray menu: one entry per language folder in
// the order the directory list gives them, captioned with the language's
// display name; a parallel list keeps the folder names.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/DirectoryList.h"
#include "toolkit/MenuItem.h"

namespace audio77::ui {

inline constexpr std::size_t kLanguageFolderChars = 15;
inline constexpr std::size_t kLanguageDisplayChars = 31;

struct LanguageMenuSource {
  // program folder + "LanguageFolderName" + separator.
  std::string languages_root;
  // "LanguageFolderName", the text a language's path holds before its folder.
  std::string folder_name;
  std::string resolution_folder;
  std::string current_language;
  // The display name of a folder ("MultiLanguageFolderMap"); empty when none.
  std::function<std::string(const std::string&)> display_name;
};

// Lists the languages folder and adds one entry per language to menu (its
// click runs on_click); checks the current language's entry, else the first.
// Returns the folder names in menu order.
std::vector<std::string> BuildLanguageMenu(toolkit::DirectoryList& list, toolkit::MenuItem& menu,
                                           const LanguageMenuSource& source,
                                           const std::function<void(toolkit::MenuItem&)>& on_click);

}  // namespace audio77::ui
