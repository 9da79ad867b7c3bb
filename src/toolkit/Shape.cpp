#include "toolkit/Shape.h"

#include <algorithm>

namespace audio77::toolkit {

Shape::Shape(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kShape, std::move(name), tag, parent, index) {}

void Shape::SetType(ShapeType type) {
  if (type == type_) return;
  type_ = type;
  Repaint();
}

void Shape::SetBrushColor(Color color) {
  if (color == brush_) return;
  brush_ = color;
  Repaint();
}

void Shape::SetBrushClear(bool clear) {
  if (clear == brush_clear_) return;
  brush_clear_ = clear;
  Repaint();
}

void Shape::SetPenColor(Color color) { SetPen(color, pen_width_); }
void Shape::SetPenWidth(int width) { SetPen(pen_, width); }

void Shape::SetPen(Color color, int width) {
  width = std::max(width, 0);
  if (color == pen_ && width == pen_width_) return;
  pen_ = color;
  pen_width_ = width;
  Repaint();
}

Rect Shape::Outline() const {
  if (type_ == ShapeType::kCircle || type_ == ShapeType::kSquare ||
      type_ == ShapeType::kRoundSquare) {
    const int side = std::min(Width(), Height());
    return {(Width() - side) / 2, (Height() - side) / 2, side, side};
  }
  return {0, 0, Width(), Height()};
}

}  // namespace audio77::toolkit
