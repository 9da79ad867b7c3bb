#pragma once
// A form with one of every kind of control, shown by the toolkit-demo program
// and rendered offscreen by the tests. Its pictures are generated, so it needs
// no files.

#include "toolkit/Form.h"

namespace audio77::toolkit::qt {

class DemoForm {
 public:
  explicit DemoForm(Form& form);

  Form& form;
  Image& background;
  Image& clipped;    // a 60 x 20 picture in a 30 x 20 control: the right half is cut off
  Image& stretched;  // a 4 x 4 picture stretched over 40 x 24
  Image& level_bar;  // a 100-pixel bar shown 45 pixels wide
  Label& title;
  Label& wrapped;
  Label& disabled;
  Shape& circle;
  Shape& ellipse;
  Shape& rectangle;
  Shape& round_rect;
  Shape& round_square;
  Shape& square;
  CheckBox& check;
  GroupBox& group;
  RadioButton& radio_a;
  RadioButton& radio_b;
  Shape& swatch;  // a graphic control inside the group box
  TrackBar& track;
  Button& button;
  RadioGroup& modes;
  DirectoryList& folders;

  // The window's corner cut off by the region: 20 x 20 at the top right.
  static constexpr int kWidth = 480;
  static constexpr int kHeight = 320;
  static constexpr int kCut = 20;
};

}  // namespace audio77::toolkit::qt
