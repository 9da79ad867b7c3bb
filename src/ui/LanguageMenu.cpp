#include "ui/LanguageMenu.h"

#include "platform/DebugFormat.h"
#include "ui/SkinMenu.h"

namespace audio77::ui {
namespace {

// The root of the languages folder also holds the folders of the resolution
// classes; they are no languages.
bool IsResolutionFolder(const std::string& name) {
  return name == "1920x1080" || name == "1366x768" || name == "960x540";
}

}  // namespace

std::vector<std::string> BuildLanguageMenu(toolkit::DirectoryList& list, toolkit::MenuItem& menu,
                                           const LanguageMenuSource& source,
                                           const std::function<void(toolkit::MenuItem&)>& on_click) {
  list.SetDirectory(source.languages_root + source.resolution_folder);
  const std::string marker = source.folder_name + "/" + source.resolution_folder;
  std::vector<std::string> folders;
  toolkit::MenuItem* current = nullptr;
  for (const std::string& path : list.Items()) {
    const std::size_t at = path.rfind(marker);
    if (at == std::string::npos) continue;
    std::string folder = path.substr(at + marker.size());
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    if (folder.empty() || folder.find('/') != std::string::npos) continue;
    if (source.resolution_folder.empty() && IsResolutionFolder(folder)) continue;
    folder = TruncateToUtf16Units(folder, kLanguageFolderChars);
    std::string display =
        TruncateToUtf16Units(source.display_name ? source.display_name(folder) : std::string(),
                             kLanguageDisplayChars);
    // A language the map does not name shows its folder, so no entry is blank.
    if (display.empty()) display = folder;
    folders.push_back(folder);
    toolkit::MenuItem& item =
        menu.Add("LanguageMenuItem" + std::to_string(folders.size()), SkinCaption(display));
    item.OnClick = on_click;
    if (current == nullptr && folder == source.current_language) current = &item;
  }
  if (current == nullptr && !menu.Items().empty()) current = menu.Items().front().get();
  CheckOnly(menu, current);
  return folders;
}

}  // namespace audio77::ui
