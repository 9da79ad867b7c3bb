#pragma once
// Which set of skins fits the screen. Skins are drawn for a few screen sizes
// and live in a folder per size under the skin root; small screens use the
// skins at the root itself.

#include <cstdint>
#include <string>

namespace audio77::ui {

// "1920x1080/" for more pixels than 1920 x 1080, "1366x768/" for more than
// 1366 x 768, "960x540/" for more than 960 x 540, else "" (strictly more, so a
// screen of exactly 1920 x 1080 takes the next smaller set).
std::string ResolutionClass(std::int32_t screen_width, std::int32_t screen_height);

// The resolution class, or "" when the current skin has no settings file in
// that class's folder: then the skins of the skin root are used.
std::string ChooseResolutionFolder(std::int32_t screen_width, std::int32_t screen_height,
                                   const std::string& skin_root, const std::string& skin_name);

}  // namespace audio77::ui
