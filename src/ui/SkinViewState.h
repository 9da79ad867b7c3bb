#pragma once
// The states the skinned pictures follow when a whole skin is applied: which
// switches are on, which preset, environment and page are current. The
// window's features fill it in.

#include <cstdint>

namespace audio77::ui {

struct SkinViewState {
  bool led_on = false;
  bool eq_enabled = false;
  bool d3_enabled = false;
  std::int32_t eq_preset = 1;  // 1..4
  bool fbm_on = false;
  std::int32_t alpha_link = -1;  // -1 or 0 independent, 1 dependent, 2 inverse
  std::int32_t beta_link = -1;
  std::int32_t effect = 1;  // 1..5
  bool mic_boost = false;
  bool mic_mute = false;
  bool mic_monitor = false;
  bool virtual_enabled = false;
  bool clockwise = false;
  bool counterclockwise = false;
  bool enlarge = false;
  bool narrow = false;
  std::int32_t page = 1;  // 1..8
};

}  // namespace audio77::ui
