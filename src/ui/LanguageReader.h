#pragma once
// Reads one "Language.ini" into a new table. The caller's table stays
// untouched until the whole file has been read, so a file that fails leaves
// the current language whole.
//
// Label values: numbers are read strictly (decimal, or hexadecimal after
// "0x" or "$"); a field that is no integer stops the read with EConvertError
// naming the key. The global font is read leniently: a value that is no
// integer counts as missing. A missing file reads as every key missing.

#include <cstdint>
#include <string>

#include "ui/LanguageTable.h"

namespace audio77::ui {

inline constexpr const char* kLanguageFileName = "Language.ini";

struct LanguageSource {
  std::string path;
  // "OldVersion": the labels of the feature pages sit 196 pixels right and 52 down.
  bool old_layout = false;
};

LanguageTable ReadLanguage(const LanguageSource& source);

inline constexpr std::int32_t kOldLayoutLabelLeft = 196;
inline constexpr std::int32_t kOldLayoutLabelTop = 52;

}  // namespace audio77::ui
