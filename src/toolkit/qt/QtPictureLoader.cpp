#include "toolkit/qt/QtPictureLoader.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <cstring>
#include <string>

#include "toolkit/PictureError.h"

namespace audio77::toolkit::qt {

PicturePtr QtPictureLoader::Load(const std::string& path) {
  const QString file = QString::fromStdString(path);
  if (!QFileInfo(file).isFile()) throw PictureError::Missing(path);
  QImageReader reader(file);
  reader.setAutoTransform(false);
  // Skins name files freely: the content decides, not the extension.
  reader.setDecideFormatFromContent(true);
  const QByteArray format = reader.format().toLower();
  if (format != "png" && format != "bmp") throw PictureError::Unreadable(path);
  // The decoder refuses what would take more than its allocation limit as
  // ARGB: say so instead of calling the file no picture.
  const QSize size = reader.size();
  const qint64 bytes = qint64{size.width()} * size.height() * 4;
  const int limit_mb = QImageReader::allocationLimit();
  if (size.isValid() && limit_mb > 0 && bytes > qint64{limit_mb} * 1024 * 1024) {
    throw PictureError::TooLarge(path, size.width(), size.height(), std::to_string(limit_mb) + " MB decoded");
  }
  const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) throw PictureError::Unreadable(path);
  const auto width = static_cast<std::size_t>(image.width());
  std::vector<std::uint32_t> pixels(width * static_cast<std::size_t>(image.height()));
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(y) * width, image.constScanLine(y),
                width * 4);
  }
  return std::make_shared<const Picture>(Size{image.width(), image.height()}, std::move(pixels),
                                         path);
}

}  // namespace audio77::toolkit::qt
