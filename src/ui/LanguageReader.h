#pragma once
// Reads one "Language.ini" into a new table. The caller's table stays
// untouched until the whole file has been read, so a file that fails leaves
// the current language whole.
//
// Label values: numbers are read strictly (decimal, or hexadecimal after
// "0x" or "$"); a field that is no integer stops the read with EConvertError
// naming the key. The global font is read leniently: a value that is no
// integer counts as missing. A missing file reads as every key missing.
//
// A file that is there but cannot serve (a folder, closed to us, empty, too
// large, or holding none of the language's keys) is refused with
// LanguageFileError, as a conversion failure is: taking it would blank every
// label.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/LanguageTable.h"

namespace audio77::ui {

inline constexpr const char* kLanguageFileName = "Language.ini";

struct LanguageSource {
  std::string path;
  // "OldVersion": the labels of the feature pages sit 196 pixels right and 52 down.
  bool old_layout = false;
};

class LanguageFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

LanguageTable ReadLanguage(const LanguageSource& source);
// The same for the bytes of a language file already in memory; path names
// the file in errors.
LanguageTable ReadLanguageText(std::string_view bytes, const LanguageSource& source);

// Language files are small; anything larger is no language file.
inline constexpr std::uintmax_t kMaxLanguageFileBytes = 1024 * 1024;

inline constexpr std::int32_t kOldLayoutLabelLeft = 196;
inline constexpr std::int32_t kOldLayoutLabelTop = 52;

}  // namespace audio77::ui
