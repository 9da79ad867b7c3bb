#pragma once
// Writes one bundled language's "Language.ini" from the translation table:
// UTF-8 with a byte-order mark, so the program's INI reader takes every
// character as it is.

#include <QString>

#include "LanguageTable.h"

namespace skingen {

// Throws std::runtime_error when the folder or file cannot be written.
void WriteLanguage(const BundledLanguage& language, const QString& folder);

}  // namespace skingen
