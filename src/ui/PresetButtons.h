#pragma once
// The four equalizer preset buttons S1..S4: the current one down, the others
// up, their labels (Tags 9..12) in the colours of the shared "LabelEQS1"
// record, and `SXLabel` repeating the current preset's caption.

#include "toolkit/Form.h"
#include "ui/FeatureView.h"

namespace audio77::ui {

class PresetButtons {
 public:
  static constexpr int kFirstTag = 9;
  static constexpr int kCount = 4;

  static void Show(FeatureView& view, const toolkit::Form& form, int preset);
};

}  // namespace audio77::ui
