#pragma once
// What the languages need from the main window: the states that choose each
// label's up or down colour and the values some labels show, the work that
// follows a language change, and the skin that is saved together with the
// language.

#include <cstdint>
#include <string>

#include "ui/SkinViewState.h"

namespace audio77::ui {

struct LabelViewState {
  SkinViewState view;
  bool device_active = false;
  std::int32_t mic_gain = 0;
  std::int32_t enc_level = 0;
};

class LanguageHost {
 public:
  virtual ~LanguageHost() = default;
  virtual LabelViewState LabelView() const = 0;
  // After a language change from the menu: the current page's visibility.
  virtual void LanguageChanged() = 0;
  virtual std::string CurrentSkin() const = 0;
};

}  // namespace audio77::ui
