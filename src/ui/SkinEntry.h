#pragma once
// What the skin says about one image control: its picture file (empty: the
// control is hidden), position, size and page, and which of the four numbers
// the settings file gave. Every skinned image is shown through one of these.

#include <cstdint>
#include <string>

namespace audio77::ui {

// File names longer than this are cut (and then fail as a missing picture).
inline constexpr std::size_t kSkinFileNameChars = 63;

struct SkinEntry {
  std::string file;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  // 0: every page; otherwise the page number the control belongs to.
  std::int32_t page = 0;
  bool left_given = false;
  bool top_given = false;
  bool width_given = false;
  bool height_given = false;

  friend bool operator==(const SkinEntry&, const SkinEntry&) = default;
};

}  // namespace audio77::ui
