#include "features/MicLevelSteps.h"

namespace audio77 {

int MicLevelSteps::PercentFromSteps(std::uint32_t step, std::uint32_t count) {
  if (count < 2) return 0;
  return static_cast<int>(static_cast<std::uint64_t>(step) * 100 / (count - 1));
}

int MicLevelSteps::KnobTop(int travel_top, int travel, int percent) {
  return travel_top + travel - percent * travel / 100;
}

int MicLevelSteps::PercentFromKnob(int travel_top, int travel, int knob_top) {
  if (travel <= 0) return 0;
  return (travel_top + travel - knob_top) * 100 / travel;
}

int MicLevelSteps::FillHeight(int knob_top, int knob_height, int fill_top) {
  return knob_top + knob_height - fill_top;
}

}  // namespace audio77
