#pragma once
// The texts of the bundled languages, one row per key of "Language.ini", with
// the place of each label on the bundled skins' layout.

#include <array>
#include <span>

namespace skingen {

// The bundled languages: folder name and column of the table.
struct BundledLanguage {
  const char* folder;
  int column;
};
inline constexpr std::array<BundledLanguage, 3> kBundledLanguages = {
    BundledLanguage{"English", 0}, BundledLanguage{"German", 1}, BundledLanguage{"Chinese", 2}};

struct LabelPlace {
  int left = -1;  // -1: the label keeps its place (menus, messages, the about window)
  int top = 0;
  int width = 0;
  int height = 0;
};

struct LanguageRow {
  const char* section;
  const char* key;
  std::array<const char*, 3> text;  // English, German, Simplified Chinese
  LabelPlace place;
  int page = -1;  // -1: the section's page; otherwise written as the tenth field
};

std::span<const LanguageRow> LanguageRows();

// A font with Latin and CJK glyphs, and its size in points.
inline constexpr const char* kLanguageFont = "WenQuanYi Micro Hei";
inline constexpr int kLanguageFontSize = 9;
// Label colours that read on the dark and the light skin (0x00BBGGRR).
inline constexpr unsigned kLanguageColorUp = 0xA3958C;
inline constexpr unsigned kLanguageColorDown = 0xE6932B;

}  // namespace skingen
