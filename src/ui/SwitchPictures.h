#pragma once
// The two-state controls of the main window (switches and the device
// indicators): a switch shows its down picture while its state is 1 and its
// up picture while it is 0, and its label takes the down or up colour of its
// label record. A key that names no picture leaves the image as it is.

#include <string_view>

#include "toolkit/Form.h"
#include "ui/FeatureView.h"

namespace audio77::ui {

struct SwitchRow {
  int tag;
  std::string_view up_key;
  std::string_view down_key;
  std::string_view label_record;  // empty: the switch has no label colour
};

class SwitchPictures {
 public:
  // The switch of a Tag; nullptr when the Tag is no switch.
  static const SwitchRow* Find(int tag);
  // Shows state (0 or 1) on the image with the switch's Tag and its label.
  static void Show(FeatureView& view, const toolkit::Form& form, int tag, int state);
  // Flips: state 0 shows the down side and gives 1, anything else the up side
  // and gives 0.
  static int Flip(FeatureView& view, const toolkit::Form& form, int tag, int state);
};

}  // namespace audio77::ui
