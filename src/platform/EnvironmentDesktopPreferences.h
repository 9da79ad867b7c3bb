#pragma once
// Desktop preferences from the environment: the locale variables in the
// order the C library weighs them, and a GTK theme that names its dark
// variant ("Adwaita:dark", "Arc-Dark").

#include <functional>

#include "platform/DesktopPreferences.h"

namespace audio77 {

class EnvironmentDesktopPreferences final : public DesktopPreferences {
 public:
  // lookup: the value of an environment variable or null; std::getenv by default.
  using Lookup = std::function<const char*(const char*)>;
  EnvironmentDesktopPreferences();
  explicit EnvironmentDesktopPreferences(Lookup lookup) : lookup_(std::move(lookup)) {}

  std::string MessagesLocale() const override;
  ColorScheme PreferredColorScheme() const override;

 private:
  Lookup lookup_;
};

}  // namespace audio77
