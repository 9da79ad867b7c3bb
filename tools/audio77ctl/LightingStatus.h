#pragma once
// What `audio77ctl virtual status` says about the virtual device's lighting,
// so that a person sees how the device would glow: for the device's own
// controller and the one behind it, the mode and its value in words, the LED,
// the step count, the brightness and the colours of the table and the modes.

#include <string>

#include "CtlContext.h"
#include "sim/core/DeviceState.h"

namespace audio77::ctl {

class LightingStatus {
 public:
  // "off", "single colour", "breathe at speed 64", ... for mode and value.
  static std::string Glow(const sim::LightingState& lighting);
  // Lines for the text output, each starting with the controller's name.
  static std::string Text(const std::string& name, const sim::LightingState& lighting);
  static Json ToJson(const sim::LightingState& lighting);
};

}  // namespace audio77::ctl
