#pragma once
// The label keys of "Language.ini" in the order they are read, each with its
// section, the page its label belongs to unless the value says otherwise, and
// what it dresses. The order matters: a strict conversion that fails stops the
// read there.

#include <cstddef>
#include <span>
#include <string_view>

namespace audio77::ui {

enum class LanguageKeyKind {
  kLabel,        // a label of the main window
  kDeviceState,  // one of the three texts of DeviceActiveLabel
  kMenu,         // the caption of a tray menu entry
  kAboutWindow,  // a label of the about window, dressed when it opens
  kMessage,      // the text of a message box
};

struct LanguageKey {
  std::string_view section;
  std::string_view key;
  int page = 0;
  LanguageKeyKind kind = LanguageKeyKind::kLabel;
  // The label or menu entry it dresses; empty for message texts.
  std::string_view control;
  // Menu entries: the word they show when the file gives none.
  std::string_view fallback;
};

inline constexpr std::size_t kLanguageKeyCount = 80;

std::span<const LanguageKey> LanguageKeyList();
// Position of key in the list, or kLanguageKeyCount when there is none.
std::size_t LanguageKeyIndex(std::string_view key);

}  // namespace audio77::ui
