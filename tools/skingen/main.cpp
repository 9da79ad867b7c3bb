// skingen: draws the bundled skins and writes the bundled languages into the
// program folder.
//
//   skingen AudioConfig.cfg DIST        the skins under DIST/<SkinFolderName>/ and the
//                                       languages under DIST/<LanguageFolderName>/ for
//                                       every resolution class and at the root, and the icons
//   skingen --preview SKIN_ROOT RESOLUTION_FOLDER SKIN PAGE OUT.png
//                                       the skin as the program shows it (RESOLUTION_FOLDER
//                                       "" or "-" for the root)
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRegion>
#include <QSettings>
#include <array>
#include <cmath>
#include <iostream>

#include "Draw.h"
#include "LanguageWriter.h"
#include "Preview.h"
#include "SkinWriter.h"
#include "Theme.h"

namespace {

using namespace skingen;

// The program's icon: a rounded tile with level bars.
QImage Icon(int size, const Theme& t) {
  QImage image = Canvas(size, size);
  QPainter p(&image);
  Smooth(p);
  const qreal s = size;
  const qreal m = std::max(0.0, s / 32.0);
  QLinearGradient g(0, 0, s, s);
  g.setColorAt(0, t.accent.lighter(125));
  g.setColorAt(1, t.accent.darker(135));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(m, m, s - 2 * m, s - 2 * m), s * 0.22, s * 0.22);
  // Small icons get three bars on whole pixels, so they stay crisp.
  const bool small = size <= 24;
  const std::array<double, 5> heights = {0.28, 0.52, 0.7, 0.46, 0.3};
  const int count = small ? 3 : 5;
  const qreal step = small ? std::round(s * 0.25) : s * 0.13;
  const qreal width = small ? std::max(2.0, std::round(s * 0.12)) : std::max(1.5, s * 0.075);
  p.setRenderHint(QPainter::Antialiasing, !small);
  for (int i = 0; i < count; ++i) {
    const double h = small ? (i == 1 ? 0.62 : 0.38) : heights[i];
    qreal x = s / 2 + (i - (count - 1) / 2.0) * step;
    if (small) {
      const qreal left = std::round(x - width / 2);
      const qreal top = std::round(s * (0.5 - h / 2));
      p.fillRect(QRectF(left, top, width, std::round(s * h)), Qt::white);
    } else {
      p.setPen(QPen(QColor(Qt::white), width, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(x, s * (0.5 - h / 2)), QPointF(x, s * (0.5 + h / 2)));
    }
  }
  return image;
}

// The bee of the test tone, 40 × 46: wings, a striped body and a head, seen
// from above with the head up.
QImage Bee() {
  QImage image = Canvas(40, 46);
  QPainter p(&image);
  Smooth(p);
  p.setPen(QPen(QColor(90, 120, 150, 170), 1));
  p.setBrush(QColor(225, 240, 255, 190));
  p.drawEllipse(QRectF(2, 10, 17, 12));
  p.drawEllipse(QRectF(21, 10, 17, 12));
  p.setPen(QPen(QColor(40, 30, 10), 1.2));
  QLinearGradient body(10, 0, 30, 0);
  body.setColorAt(0, QColor(255, 214, 64));
  body.setColorAt(1, QColor(238, 170, 20));
  p.setBrush(body);
  p.drawEllipse(QRectF(11, 12, 18, 28));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 30, 10));
  p.setClipRegion(QRegion(11, 12, 18, 28, QRegion::Ellipse));
  for (const qreal y : {20.0, 27.0, 34.0}) p.drawRect(QRectF(10, y, 20, 3.2));
  p.setClipping(false);
  p.drawEllipse(QRectF(14, 4, 12, 10));
  p.drawPolygon(QPolygonF({QPointF(18, 39), QPointF(22, 39), QPointF(20, 44)}));
  p.setPen(QPen(QColor(40, 30, 10), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 6), QPointF(13, 1));
  p.drawLine(QPointF(23, 6), QPointF(27, 1));
  return image;
}

int Generate(const QString& config, const QString& dist) {
  const QSettings cfg(config, QSettings::IniFormat);
  const QString skins = cfg.value("Skin/SkinFolderName", "Skins").toString();
  const QString languages = cfg.value("Language/LanguageFolderName", "Languages").toString();
  const QString icon_name = cfg.value("Install/InstallIconFileName", "audio77.png").toString();
  const std::array<QString, 3> classes = {"1366x768/", "1920x1080/", ""};
  for (const QString& resolution : classes) {
    for (const Theme& theme : {DarkTheme(), LightTheme()}) {
      SkinWriter(theme, dist + "/" + skins + "/" + resolution + theme.name).Write();
    }
    const QString language_root = dist + "/" + languages + "/" + resolution;
    for (const BundledLanguage& language : kBundledLanguages) {
      WriteLanguage(language, language_root + language.folder);
    }
    // Without a remembered language the file of the languages folder itself
    // is read: English.
    WriteLanguage(kBundledLanguages[0], language_root);
  }
  if (!Bee().save(dist + "/bee.png", "PNG")) return 1;
  const Theme icon_theme = DarkTheme();
  if (!Icon(256, icon_theme).save(dist + "/" + icon_name, "PNG")) return 1;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    const QString folder = QString("%1/icons/hicolor/%2x%2/apps").arg(dist).arg(size);
    if (!QDir().mkpath(folder) || !Icon(size, icon_theme).save(folder + "/audio77.png", "PNG"))
      return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  try {
    if (args.size() == 7 && args[1] == "--preview") {
      const QString resolution = args[3] == "-" ? QString() : args[3];
      return RenderPreview(args[2], resolution, args[4], args[5].toInt(), args[6]) ? 0 : 1;
    }
    if (args.size() == 3) return Generate(args[1], args[2]);
  } catch (const std::exception& error) {
    std::cerr << "skingen: " << error.what() << "\n";
    return 1;
  }
  std::cerr << "usage: skingen AudioConfig.cfg DIST\n"
               "       skingen --preview SKIN_ROOT RESOLUTION_FOLDER SKIN PAGE OUT.png\n";
  return 2;
}
