#pragma once
// Small drawing kit shared by every picture: transparent canvases, crisp
// 1-pixel outlines, rounded plates, glyphs.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include "Theme.h"

namespace skingen {

QImage Canvas(int width, int height, QColor fill = Qt::transparent);

// A painter with antialiasing on, for round shapes.
void Smooth(QPainter& p);
// A rounded plate inside r with a 1 px outline drawn on pixel centres.
void Plate(QPainter& p, QRectF r, qreal radius, QColor fill, QColor outline);
// A vertical gradient plate: top colour to bottom colour.
void GradientPlate(QPainter& p, QRectF r, qreal radius, QColor top, QColor bottom, QColor outline);
void Text(QPainter& p, QRectF r, const QString& text, QColor colour, int pixel_size, bool bold,
          Qt::Alignment align = Qt::AlignCenter);
QColor Mix(QColor a, QColor b, double t);
QColor WithAlpha(QColor c, int alpha);

// Glyphs drawn in a square box, in the given colour, with a 1.6 px pen.
enum class Glyph {
  kClose,
  kMinimize,
  kFolder,
  kSave,
  kInfo,
  kBulb,
  kEq,
  kEffect,
  kMic,
  kSurround,
  kLed,
  kEnc,
  kVoice,
  kPower,
  kThreeD,
  kReset,
  kBoost,
  kMute,
  kMonitor,
  kClockwise,
  kCounterclockwise,
  kEnlarge,
  kNarrow,
  kNone,
  kTheater,
  kBathroom,
  kLivingroom,
  kStoneGallery,
  kFbm,
  kVoice1,
  kVoice2,
  kVoice3,
  kVoice4,
};
void DrawGlyph(QPainter& p, Glyph glyph, QRectF box, QColor colour);

}  // namespace skingen
