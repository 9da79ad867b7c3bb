#pragma once
// Paints the graphic controls of a form (or of one container) in creation
// order: pictures clipped to their control or stretched, labels, shapes.

class QPainter;
class QRect;
class QImage;

namespace audio77::toolkit {
class Form;
class Control;
class Image;
class Label;
class Shape;
class Picture;
}  // namespace audio77::toolkit

namespace audio77::toolkit::qt {

class FormPainter {
 public:
  // Paints the graphic children of container (nullptr: the form's top level)
  // that meet the dirty rectangle; coordinates are the container's own.
  static void Paint(QPainter& painter, const Form& form, const Control* container,
                    const QRect& dirty);

  // A view of the picture's pixels (no copy; valid while the picture lives).
  static QImage View(const Picture& picture);

 private:
  static void PaintImage(QPainter& painter, const Image& image);
  static void PaintLabel(QPainter& painter, const Label& label);
  static void PaintShape(QPainter& painter, const Shape& shape);
};

}  // namespace audio77::toolkit::qt
