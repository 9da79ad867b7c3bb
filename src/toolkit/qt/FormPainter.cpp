#include "toolkit/qt/FormPainter.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include "toolkit/Form.h"
#include "toolkit/qt/QtTextMeasurer.h"

namespace audio77::toolkit::qt {
namespace {

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }
constexpr Color kDisabledText = 0x808080;

}  // namespace

QImage FormPainter::View(const Picture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.Pixels().data()), picture.Width(),
                picture.Height(), picture.Width() * 4, QImage::Format_ARGB32);
}

void FormPainter::Paint(QPainter& painter, const Form& form, const Control* container,
                        const QRect& dirty) {
  for (const auto& owned : form.Controls()) {
    const Control& control = *owned;
    if (control.Parent() != container || !control.IsGraphic() || !control.Visible()) continue;
    const QRect area = ToQRect(control.Bounds());
    if (!area.intersects(dirty)) continue;
    painter.save();
    switch (control.Kind()) {
      case ControlKind::kImage:
        PaintImage(painter, static_cast<const Image&>(control));
        break;
      case ControlKind::kLabel:
        PaintLabel(painter, static_cast<const Label&>(control));
        break;
      case ControlKind::kShape:
        PaintShape(painter, static_cast<const Shape&>(control));
        break;
      default:
        break;
    }
    painter.restore();
  }
}

void FormPainter::PaintImage(QPainter& painter, const Image& image) {
  const QRect area = ToQRect(image.Bounds());
  const PicturePtr& picture = image.GetPicture();
  if (!picture || area.isEmpty()) return;
  painter.setClipRect(area, Qt::IntersectClip);
  if (!picture->HasPixels()) {
    // Only the size is known (a headless loader): show where it would be.
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(QRect(area.topLeft(), QSize(picture->Width() - 1, picture->Height() - 1)));
    return;
  }
  const QImage pixels = View(*picture);
  if (image.Stretch()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(area, pixels);
  } else {
    painter.drawImage(area.topLeft(), pixels);
  }
}

void FormPainter::PaintLabel(QPainter& painter, const Label& label) {
  const QRect area = ToQRect(label.Bounds());
  if (!label.Transparent()) painter.fillRect(area, ToQColor(label.BackgroundColor()));
  painter.setClipRect(area, Qt::IntersectClip);
  painter.setFont(ToQFont(label.GetFont()));
  painter.setPen(ToQColor(label.EffectivelyEnabled() ? label.GetFont().color : kDisabledText));
  int flags = Qt::AlignTop;
  switch (label.Alignment()) {
    case TextAlignment::kLeft:
      flags |= Qt::AlignLeft;
      break;
    case TextAlignment::kCenter:
      flags |= Qt::AlignHCenter;
      break;
    case TextAlignment::kRight:
      flags |= Qt::AlignRight;
      break;
  }
  if (label.WordWrap()) flags |= Qt::TextWordWrap;
  painter.drawText(area, flags, QString::fromStdString(label.Caption()));
}

void FormPainter::PaintShape(QPainter& painter, const Shape& shape) {
  const Rect outline = shape.Outline().Translated({shape.Left(), shape.Top()});
  // The pen is drawn inside the outline, as the control's edge is its limit.
  const int pen = shape.PenWidth();
  const int inset = pen / 2;
  QRectF area(outline.left + inset, outline.top + inset, outline.width - pen, outline.height - pen);
  if (pen % 2 == 1) area.translate(0.5, 0.5);
  painter.setRenderHint(QPainter::Antialiasing, shape.Type() != ShapeType::kRectangle &&
                                                    shape.Type() != ShapeType::kSquare);
  painter.setBrush(shape.BrushClear() ? QBrush(Qt::NoBrush) : QBrush(ToQColor(shape.BrushColor())));
  painter.setPen(pen > 0 ? QPen(ToQColor(shape.PenColor()), pen) : QPen(Qt::NoPen));
  switch (shape.Type()) {
    case ShapeType::kCircle:
    case ShapeType::kEllipse:
      painter.drawEllipse(area);
      break;
    case ShapeType::kRectangle:
    case ShapeType::kSquare:
      painter.drawRect(area);
      break;
    case ShapeType::kRoundRect:
    case ShapeType::kRoundSquare: {
      // Corners of an eighth of the size, as a classic rounded rectangle has.
      const qreal radius = std::min(area.width(), area.height()) / 8.0;
      painter.drawRoundedRect(area, radius, radius);
      break;
    }
  }
}

}  // namespace audio77::toolkit::qt
