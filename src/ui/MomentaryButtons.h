#pragma once
// The buttons that are down only while held: close, minimise, the three menu
// buttons and the three reset buttons. A press shows the down picture (when
// its key names one) and the label's down colour; a release shows the up
// picture, even an empty one, and the up colour.

#include <string_view>

#include "ui/FeatureView.h"

namespace audio77::ui {

struct MomentaryRow {
  int tag;
  std::string_view image;
  std::string_view up_key;
  std::string_view down_key;
  std::string_view label_record;  // empty: no label
};

class MomentaryButtons {
 public:
  static const MomentaryRow* Find(int tag);
  static void Press(FeatureView& view, int tag);
  static void Release(FeatureView& view, int tag);
};

}  // namespace audio77::ui
