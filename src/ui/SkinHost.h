#pragma once
// What the skin needs from the main window: the states its pictures follow,
// the "RegionCut" switch, the work that follows a skin change, and the
// language that is saved together with the skin.

#include <cstdint>
#include <string>

#include "ui/SkinViewState.h"

namespace audio77::ui {

class SkinHost {
 public:
  virtual ~SkinHost() = default;
  virtual SkinViewState ViewState() const = 0;
  // Nonzero: the window takes the shape of the skin's region file.
  virtual std::int32_t RegionCut() const = 0;
  // After a skin change: labels, ENC and Voice Magic states, the current
  // page's visibility, the EQ preset and the microphone display.
  virtual void SkinChanged() = 0;
  // After a skin change the eight speakers are placed again on the new circle,
  // their stored radii scaled by ratio, without an angle step.
  virtual void ReplaceSpeakers(double /*ratio*/) {}
  virtual std::string CurrentLanguage() const = 0;
};

}  // namespace audio77::ui
