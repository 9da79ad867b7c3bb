#pragma once
// The microphone level's arithmetic: the endpoint's volume steps as a
// percent, and the mic slider's knob and fill for a percent and back. Every
// division is guarded: a scale of fewer than two steps or a slider without
// travel reads as 0 %.

#include <cstdint>

namespace audio77 {

class MicLevelSteps {
 public:
  // step × 100 / (count − 1), integer division; 0 when count < 2.
  static int PercentFromSteps(std::uint32_t step, std::uint32_t count);
  // The knob's top for percent on a travel of length pixels from top.
  static int KnobTop(int travel_top, int travel, int percent);
  // The percent of a knob standing at knob_top (already clamped to the travel).
  static int PercentFromKnob(int travel_top, int travel, int knob_top);
  // The fill image below the knob reaches from its own top to the knob's bottom.
  static int FillHeight(int knob_top, int knob_height, int fill_top);
};

}  // namespace audio77
