#include "toolkit/qt/FormScreenshot.h"

#include <QPainter>
#include <QRegion>
#include <QString>
#include <algorithm>

#include "toolkit/Form.h"
#include "toolkit/qt/FormPainter.h"
#include "toolkit/qt/FormWidget.h"

namespace audio77::toolkit::qt {
namespace {

QImage PaintOffscreen(const Form& form) {
  const Size size = form.ClientSize();
  QImage image(std::max(size.width, 1), std::max(size.height, 1),
               QImage::Format_ARGB32_Premultiplied);
  const Color back = form.BackgroundColor();
  image.fill(QColor(RedOf(back), GreenOf(back), BlueOf(back)));
  QPainter painter(&image);
  const QRect all(0, 0, image.width(), image.height());
  FormPainter::Paint(painter, form, nullptr, all);
  for (const auto& control : form.Controls()) {
    if (!control->IsContainer() || !control->Showing()) continue;
    const Rect r = control->ClientRect();
    painter.save();
    painter.translate(r.left, r.top);
    painter.setClipRect(QRect(0, 0, r.width, r.height));
    FormPainter::Paint(painter, form, control.get(), QRect(0, 0, r.width, r.height));
    painter.restore();
  }
  if (!form.Region().Empty()) {
    QRegion outside(all);
    for (const Rect& r : form.Region().Rects())
      outside -= QRegion(r.left, r.top, r.width, r.height);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    for (const QRect& r : outside) painter.fillRect(r, Qt::transparent);
  }
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage FormScreenshot(const Form& form) {
  if (auto* widget = dynamic_cast<FormWidget*>(form.View())) return widget->RenderToImage();
  return PaintOffscreen(form);
}

std::string SaveFormScreenshot(const Form& form, const std::string& png_path) {
  const QImage image = FormScreenshot(form);
  if (image.isNull()) return "the window has nothing to paint";
  if (!image.save(QString::fromStdString(png_path), "PNG")) return "cannot write " + png_path;
  return {};
}

}  // namespace audio77::toolkit::qt
