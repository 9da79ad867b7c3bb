#pragma once
// A filled outline: circle, ellipse, rectangle, rounded rectangle, rounded
// square or square, with a brush (fill) and a pen (outline colour and width).
// Circles and squares take the largest size that fits, centred in the control.

#include "toolkit/Color.h"
#include "toolkit/Control.h"

namespace audio77::toolkit {

enum class ShapeType { kCircle, kEllipse, kRectangle, kRoundRect, kRoundSquare, kSquare };

class Shape final : public Control {
 public:
  Shape(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  ShapeType Type() const { return type_; }
  void SetType(ShapeType type);
  Color BrushColor() const { return brush_; }
  void SetBrushColor(Color color);
  // A clear brush leaves the inside unpainted.
  bool BrushClear() const { return brush_clear_; }
  void SetBrushClear(bool clear);
  Color PenColor() const { return pen_; }
  void SetPenColor(Color color);
  int PenWidth() const { return pen_width_; }
  void SetPenWidth(int width);
  void SetPen(Color color, int width);

  // Where the outline is drawn, in the control's own coordinates.
  Rect Outline() const;

 private:
  ShapeType type_ = ShapeType::kRectangle;
  Color brush_ = kWhite;
  bool brush_clear_ = false;
  Color pen_ = kBlack;
  int pen_width_ = 1;
};

}  // namespace audio77::toolkit
