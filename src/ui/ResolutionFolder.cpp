#include "ui/ResolutionFolder.h"

#include "settings/PrivateProfile.h"
#include "ui/SkinSettingsReader.h"

namespace audio77::ui {

std::string ResolutionClass(std::int32_t screen_width, std::int32_t screen_height) {
  const std::int64_t area = std::int64_t{screen_width} * screen_height;
  if (area > 1920 * 1080) return "1920x1080/";
  if (area > 1366 * 768) return "1366x768/";
  if (area > 960 * 540) return "960x540/";
  return "";
}

std::string ChooseResolutionFolder(std::int32_t screen_width, std::int32_t screen_height,
                                   const std::string& skin_root, const std::string& skin_name) {
  std::string folder = ResolutionClass(screen_width, screen_height);
  if (!FileExists(skin_root + folder + skin_name + "/" + kSkinSettingsFileName)) folder.clear();
  return folder;
}

}  // namespace audio77::ui
