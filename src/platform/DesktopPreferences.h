#pragma once
// What the user told the desktop about language and appearance. The program
// asks only at the first start, to pick the bundled language and skin that
// fit the desktop until the user picks their own.

#include <string>

namespace audio77 {

enum class ColorScheme { kNoPreference, kDark, kLight };

class DesktopPreferences {
 public:
  virtual ~DesktopPreferences() = default;
  // The locale of messages ("de_DE.UTF-8", "C"); empty when none is set.
  virtual std::string MessagesLocale() const = 0;
  virtual ColorScheme PreferredColorScheme() const = 0;
};

}  // namespace audio77
