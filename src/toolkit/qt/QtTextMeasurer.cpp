#include "toolkit/qt/QtTextMeasurer.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace audio77::toolkit::qt {

QFont ToQFont(const Font& font) {
  QFont q(QString::fromStdString(font.name));
  q.setPixelSize(std::max(1, font.PixelHeight()));
  q.setBold(font.bold);
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  return q;
}

Size QtTextMeasurer::Measure(std::string_view text, const Font& font, int wrap_width) {
  const QFontMetrics metrics(ToQFont(font));
  const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const int flags = wrap_width > 0 ? Qt::TextWordWrap : 0;
  const int width = wrap_width > 0 ? wrap_width : 1 << 20;
  const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 1 << 20), flags, q);
  return {bounds.width(), std::max(bounds.height(), metrics.height())};
}

}  // namespace audio77::toolkit::qt
