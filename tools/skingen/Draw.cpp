#include "Draw.h"

#include <QFont>
#include <QLinearGradient>
#include <QtMath>
#include <cmath>
#include <tuple>

namespace skingen {

QImage Canvas(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

void Smooth(QPainter& p) { p.setRenderHint(QPainter::Antialiasing, true); }

void Plate(QPainter& p, QRectF r, qreal radius, QColor fill, QColor outline) {
  Smooth(p);
  p.setPen(outline.alpha() == 0 ? QPen(Qt::NoPen) : QPen(outline, 1.0));
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void GradientPlate(QPainter& p, QRectF r, qreal radius, QColor top, QColor bottom, QColor outline) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  Smooth(p);
  p.setPen(outline.alpha() == 0 ? QPen(Qt::NoPen) : QPen(outline, 1.0));
  p.setBrush(g);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void Text(QPainter& p, QRectF r, const QString& text, QColor colour, int pixel_size, bool bold,
          Qt::Alignment align) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, align, text);
}

QColor Mix(QColor a, QColor b, double t) {
  return QColor::fromRgbF(
      a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
      a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

namespace {

void Arrow(QPainter& p, QPointF tip, double angle_deg, double size) {
  const double a = qDegreesToRadians(angle_deg);
  const QPointF back(tip.x() - size * std::cos(a), tip.y() - size * std::sin(a));
  const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
  QPainterPath path;
  path.moveTo(tip);
  path.lineTo(back + side);
  path.lineTo(back - side);
  path.closeSubpath();
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(p.pen().color());
  p.restore();
  p.fillPath(path, p.pen().color());
}

}  // namespace

void DrawGlyph(QPainter& p, Glyph glyph, QRectF b, QColor c) {
  p.save();
  Smooth(p);
  QPen pen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const double w = b.width();
  const double h = b.height();
  const QPointF o = b.topLeft();
  const auto P = [&](double x, double y) { return QPointF(o.x() + x * w, o.y() + y * h); };
  const auto R = [&](double x, double y, double rw, double rh) {
    return QRectF(o.x() + x * w, o.y() + y * h, rw * w, rh * h);
  };
  switch (glyph) {
    case Glyph::kClose:
      p.drawLine(P(0.28, 0.28), P(0.72, 0.72));
      p.drawLine(P(0.72, 0.28), P(0.28, 0.72));
      break;
    case Glyph::kMinimize:
      p.drawLine(P(0.28, 0.62), P(0.72, 0.62));
      break;
    case Glyph::kFolder: {
      QPainterPath f;
      f.moveTo(P(0.2, 0.3));
      f.lineTo(P(0.42, 0.3));
      f.lineTo(P(0.5, 0.38));
      f.lineTo(P(0.8, 0.38));
      f.lineTo(P(0.8, 0.72));
      f.lineTo(P(0.2, 0.72));
      f.closeSubpath();
      p.drawPath(f);
      break;
    }
    case Glyph::kSave:
      p.drawRoundedRect(R(0.24, 0.24, 0.52, 0.52), 1.5, 1.5);
      p.drawRect(R(0.36, 0.24, 0.28, 0.16));
      p.drawLine(P(0.36, 0.6), P(0.64, 0.6));
      break;
    case Glyph::kInfo:
      p.drawEllipse(R(0.22, 0.22, 0.56, 0.56));
      p.drawLine(P(0.5, 0.46), P(0.5, 0.64));
      p.setBrush(c);
      p.drawEllipse(P(0.5, 0.36), 0.8, 0.8);
      break;
    case Glyph::kBulb:
      p.drawEllipse(R(0.3, 0.18, 0.4, 0.42));
      p.drawLine(P(0.42, 0.68), P(0.58, 0.68));
      p.drawLine(P(0.44, 0.78), P(0.56, 0.78));
      break;
    case Glyph::kEq:
      for (int i = 0; i < 3; ++i) {
        const double x = 0.28 + i * 0.22;
        p.drawLine(P(x, 0.22), P(x, 0.78));
        const double y = i == 1 ? 0.36 : (i == 0 ? 0.6 : 0.5);
        p.setBrush(c);
        p.drawEllipse(P(x, y), w * 0.06, w * 0.06);
        p.setBrush(Qt::NoBrush);
      }
      break;
    case Glyph::kEffect:
      p.drawArc(R(0.18, 0.2, 0.64, 0.6), 30 * 16, 120 * 16);
      p.drawArc(R(0.3, 0.32, 0.4, 0.36), 30 * 16, 120 * 16);
      p.setBrush(c);
      p.drawEllipse(P(0.5, 0.62), w * 0.06, w * 0.06);
      break;
    case Glyph::kMic:
      p.drawRoundedRect(R(0.38, 0.16, 0.24, 0.4), w * 0.12, w * 0.12);
      p.drawArc(R(0.28, 0.3, 0.44, 0.38), 180 * 16, 180 * 16);
      p.drawLine(P(0.5, 0.68), P(0.5, 0.82));
      break;
    case Glyph::kSurround:
      p.drawEllipse(R(0.2, 0.2, 0.6, 0.6));
      for (int i = 0; i < 6; ++i) {
        const double a = qDegreesToRadians(i * 60.0);
        p.setBrush(c);
        p.drawEllipse(P(0.5 + 0.3 * std::cos(a), 0.5 + 0.3 * std::sin(a)), w * 0.05, w * 0.05);
      }
      p.setBrush(Qt::NoBrush);
      break;
    case Glyph::kLed:
      for (int i = 0; i < 3; ++i) {
        p.drawEllipse(P(0.28 + i * 0.22, 0.5), w * 0.08, w * 0.08);
      }
      p.drawLine(P(0.2, 0.72), P(0.8, 0.72));
      break;
    case Glyph::kEnc:
      p.drawArc(R(0.2, 0.2, 0.6, 0.6), 45 * 16, 270 * 16);
      p.drawLine(P(0.3, 0.5), P(0.7, 0.5));
      break;
    case Glyph::kVoice: {
      QPainterPath wave;
      wave.moveTo(P(0.16, 0.5));
      for (int i = 0; i <= 24; ++i) {
        const double x = 0.16 + i * (0.68 / 24);
        wave.lineTo(P(x, 0.5 - 0.24 * std::sin(i * 0.785) * std::sin(i * 0.13)));
      }
      p.drawPath(wave);
      break;
    }
    case Glyph::kPower:
      p.drawArc(R(0.26, 0.26, 0.48, 0.48), 120 * 16, -240 * 16);
      p.drawLine(P(0.5, 0.2), P(0.5, 0.48));
      break;
    case Glyph::kThreeD:
      p.drawRect(R(0.24, 0.36, 0.36, 0.36));
      p.drawLine(P(0.24, 0.36), P(0.38, 0.24));
      p.drawLine(P(0.6, 0.36), P(0.74, 0.24));
      p.drawLine(P(0.38, 0.24), P(0.74, 0.24));
      p.drawLine(P(0.74, 0.24), P(0.74, 0.6));
      p.drawLine(P(0.6, 0.72), P(0.74, 0.6));
      break;
    case Glyph::kReset:
      p.drawArc(R(0.24, 0.24, 0.52, 0.52), 90 * 16, 270 * 16);
      Arrow(p, P(0.5, 0.24), 0, w * 0.14);
      break;
    case Glyph::kBoost:
      p.drawLine(P(0.5, 0.78), P(0.5, 0.24));
      p.drawLine(P(0.32, 0.42), P(0.5, 0.24));
      p.drawLine(P(0.68, 0.42), P(0.5, 0.24));
      break;
    case Glyph::kMute:
      DrawGlyph(p, Glyph::kMic, b, c);
      p.setPen(pen);
      p.drawLine(P(0.24, 0.22), P(0.76, 0.8));
      break;
    case Glyph::kMonitor:
      p.drawArc(R(0.22, 0.22, 0.56, 0.56), 0, 180 * 16);
      p.drawRoundedRect(R(0.2, 0.5, 0.14, 0.26), 1.5, 1.5);
      p.drawRoundedRect(R(0.66, 0.5, 0.14, 0.26), 1.5, 1.5);
      break;
    // The arrow heads sit at the upper ends of the arcs: clockwise at the
    // right (as the sign reads), counter-clockwise at the left.
    case Glyph::kClockwise:
      p.drawArc(R(0.24, 0.24, 0.52, 0.52), 30 * 16, 270 * 16);
      Arrow(p, P(0.75, 0.4), 80, w * 0.13);
      break;
    case Glyph::kCounterclockwise:
      p.drawArc(R(0.24, 0.24, 0.52, 0.52), 150 * 16, -270 * 16);
      Arrow(p, P(0.25, 0.4), 100, w * 0.13);
      break;
    case Glyph::kEnlarge:
      p.drawEllipse(R(0.36, 0.36, 0.28, 0.28));
      for (const auto& [x, y, a] : {std::tuple{0.2, 0.2, 225.0}, std::tuple{0.8, 0.2, 315.0},
                                    std::tuple{0.2, 0.8, 135.0}, std::tuple{0.8, 0.8, 45.0}}) {
        Arrow(p, P(x, y), a, w * 0.12);
      }
      break;
    case Glyph::kNarrow:
      p.drawEllipse(R(0.2, 0.2, 0.6, 0.6));
      for (const auto& [x, y, a] : {std::tuple{0.4, 0.4, 45.0}, std::tuple{0.6, 0.4, 135.0},
                                    std::tuple{0.4, 0.6, 315.0}, std::tuple{0.6, 0.6, 225.0}}) {
        Arrow(p, P(x, y), a, w * 0.1);
      }
      break;
    case Glyph::kNone:
      p.drawLine(P(0.2, 0.5), P(0.8, 0.5));
      break;
    case Glyph::kTheater:
      p.drawRect(R(0.18, 0.24, 0.64, 0.34));
      p.drawLine(P(0.26, 0.72), P(0.74, 0.72));
      p.drawLine(P(0.3, 0.8), P(0.7, 0.8));
      break;
    case Glyph::kBathroom:
      p.drawLine(P(0.16, 0.52), P(0.84, 0.52));
      p.drawArc(R(0.2, 0.3, 0.6, 0.44), 180 * 16, 180 * 16);
      p.drawLine(P(0.3, 0.52), P(0.3, 0.24));
      p.drawLine(P(0.3, 0.24), P(0.42, 0.24));
      break;
    case Glyph::kLivingroom:
      p.drawRoundedRect(R(0.2, 0.42, 0.6, 0.26), 2, 2);
      p.drawLine(P(0.26, 0.42), P(0.26, 0.3));
      p.drawLine(P(0.74, 0.42), P(0.74, 0.3));
      p.drawLine(P(0.26, 0.3), P(0.74, 0.3));
      p.drawLine(P(0.26, 0.68), P(0.26, 0.78));
      p.drawLine(P(0.74, 0.68), P(0.74, 0.78));
      break;
    case Glyph::kStoneGallery:
      for (int i = 0; i < 2; ++i) {
        const double x = 0.2 + i * 0.32;
        p.drawArc(R(x, 0.26, 0.28, 0.3), 0, 180 * 16);
        p.drawLine(P(x, 0.41), P(x, 0.78));
        p.drawLine(P(x + 0.28, 0.41), P(x + 0.28, 0.78));
      }
      p.drawLine(P(0.14, 0.78), P(0.86, 0.78));
      break;
    case Glyph::kFbm:
      p.drawLine(P(0.2, 0.7), P(0.8, 0.7));
      for (int i = 0; i < 4; ++i) {
        const double x = 0.28 + i * 0.15;
        p.drawLine(P(x, 0.7), P(x, 0.7 - 0.12 * (4 - i)));
      }
      break;
    case Glyph::kVoice1:
    case Glyph::kVoice2:
    case Glyph::kVoice3:
    case Glyph::kVoice4: {
      const int n = static_cast<int>(glyph) - static_cast<int>(Glyph::kVoice1);
      QPainterPath wave;
      for (int i = 0; i <= 32; ++i) {
        const double x = 0.16 + i * (0.68 / 32);
        const double freq = 0.35 + n * 0.28;
        const double amp = n == 3 ? (i % 8 < 4 ? 0.22 : -0.22) : 0.22;
        const double y = n == 3 ? 0.5 - amp : 0.5 - amp * std::sin(i * freq);
        if (i == 0)
          wave.moveTo(P(x, y));
        else
          wave.lineTo(P(x, y));
      }
      p.drawPath(wave);
      break;
    }
  }
  p.restore();
}

}  // namespace skingen
