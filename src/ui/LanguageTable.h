#pragma once
// What one "Language.ini" gives: the global font and one label record per
// label key, in the order of the key list.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/Color.h"
#include "ui/LanguageKeys.h"

namespace audio77::ui {

inline constexpr std::size_t kLabelCaptionChars = 127;
inline constexpr std::size_t kLabelFontChars = 63;

// Section "GlobalFont": what a label takes when its record gives nothing.
struct GlobalFont {
  toolkit::Color color_up = 0;    // 0: none
  toolkit::Color color_down = 0;  // 0: none
  std::string font;               // empty: none
  std::int32_t font_size = -1;    // -1: none
};

// One label value: caption, up colour, down colour, font name, font size,
// left, top, width, height, page. A field left empty is not given.
struct LabelRecord {
  std::string caption;
  bool color_up_given = false;
  toolkit::Color color_up = 0;
  bool color_down_given = false;
  toolkit::Color color_down = 0;
  bool font_given = false;
  std::string font;
  bool font_size_given = false;
  std::int32_t font_size = 0;
  bool left_given = false;
  std::int32_t left = 0;
  bool top_given = false;
  std::int32_t top = 0;
  bool width_given = false;
  std::int32_t width = 0;
  bool height_given = false;
  std::int32_t height = 0;
  std::int32_t page = 0;

  // Empty or "(null)" hides the control.
  bool Shows() const { return !caption.empty() && caption != "(null)"; }
  // Shown on page current: it shows and belongs to every page or that one.
  bool ShowsOn(std::int32_t current) const { return Shows() && (page == 0 || page == current); }
};

struct LanguageTable {
  GlobalFont global;
  std::array<LabelRecord, kLanguageKeyCount> records{};

  // The record of a label key; an all-empty record when there is no such key.
  const LabelRecord& Of(std::string_view key) const;
};

}  // namespace audio77::ui
