#include "SkinWriter.h"

#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTextStream>
#include <QtMath>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "Draw.h"

namespace skingen {
namespace {

// Where things sit, in client pixels. The feature pages share one frame:
// content panel from (180, 88) to (712, 444), a column of switches at x 568.
constexpr int kPanelLeft = 180;
constexpr int kPanelTop = 88;
constexpr int kPanelRight = 712;
constexpr int kPanelBottom = 444;
constexpr int kColumnLeft = 568;
constexpr int kColumnWidth = 128;
constexpr int kButtonHeight = 28;
constexpr int kRowStep = 34;
// Slider travels: the EQ, Mic and 3D knobs move between tops 105 and 225.
constexpr int kTravelTop = 105;
constexpr int kTravelLength = 120;
constexpr int kKnobWidth = 30;
constexpr int kKnobHeight = 16;
constexpr int kTrackWidth = 6;
constexpr int kTrackHeight = kTravelLength + kKnobHeight;
constexpr int kRestTop = kTravelTop + kTravelLength / 2;
// The speaker circle.
constexpr int kCircleLeft = 196;
constexpr int kCircleTop = 96;
constexpr int kCircleSize = 336;
constexpr int kCenterX = kCircleLeft + kCircleSize / 2;
constexpr int kCenterY = kCircleTop + kCircleSize / 2;
constexpr int kRadius = 120;
// ENC travel: inside its bar, kept 10 pixels from the top and 1.2 knobs from the bottom.
constexpr int kEncBarTop = 110;
constexpr int kEncBarHeight = 150;
constexpr int kEncTop = 120;
constexpr int kEncLength = 120;

QString N(int v) { return QString::number(v); }

}  // namespace

SkinWriter::SkinWriter(Theme theme, QString folder)
    : t_(std::move(theme)), folder_(std::move(folder)) {}

void SkinWriter::Save(const QString& file, const QImage& image) {
  // A light compression: the files stay about as small as with the default,
  // and the program decodes a whole skin at start-up in half the time.
  constexpr int kFastDecodeQuality = 70;
  if (!image.save(folder_ + "/" + file, "PNG", kFastDecodeQuality)) {
    throw std::runtime_error("cannot write " + (folder_ + "/" + file).toStdString());
  }
}

void SkinWriter::Put(const QString& section, const QString& key, const QString& file, int left,
                     int top, int width, int height) {
  QString value = file + "," + N(left) + "," + N(top);
  if (width >= 0) value += "," + N(width) + "," + N(height);
  Value(section, key, value);
}

void SkinWriter::Value(const QString& section, const QString& key, const QString& value) {
  if (!sections_.contains(section)) sections_.append(section);
  lines_[section].append(key + "=" + value);
}

void SkinWriter::Write() {
  if (!QDir().mkpath(folder_)) throw std::runtime_error("cannot create " + folder_.toStdString());
  Main();
  Tabs();
  Eq();
  ThreeD();
  Effect();
  Mic();
  Virtual();
  Led();
  Enc();
  Voice();
  Settings();
  Region();
}

// ---- shared pictures -------------------------------------------------------

QImage SkinWriter::Button(bool down, int width, int height, bool with_lamp) {
  QImage image = Canvas(width, height);
  QPainter p(&image);
  const QColor top = down ? t_.pressed : t_.raised.lighter(t_.dark ? 110 : 102);
  const QColor bottom = down ? t_.pressed : t_.raised;
  GradientPlate(p, QRectF(0, 0, width, height), 6, top, bottom,
                down ? Mix(t_.accent, t_.border, 0.4) : t_.border);
  if (with_lamp) {
    const QPointF c(13, height / 2.0);
    if (down) {
      QRadialGradient glow(c, 8);
      glow.setColorAt(0, WithAlpha(t_.accent, 160));
      glow.setColorAt(1, WithAlpha(t_.accent, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(c, 8, 8);
    }
    p.setPen(QPen(down ? t_.accent.darker(120) : t_.border, 1));
    p.setBrush(down ? t_.accent : t_.track);
    p.drawEllipse(c, 3.5, 3.5);
  }
  return image;
}

QImage SkinWriter::Knob(bool down) {
  QImage image = Canvas(kKnobWidth, kKnobHeight);
  QPainter p(&image);
  GradientPlate(p, QRectF(0, 0, kKnobWidth, kKnobHeight), 4, t_.accent.lighter(down ? 100 : 115),
                t_.accent.darker(115), t_.accent.darker(150));
  p.setPen(QPen(WithAlpha(t_.accent_text, 170), 1));
  p.drawLine(QPointF(8, 7.5), QPointF(kKnobWidth - 8, 7.5));
  return image;
}

QImage SkinWriter::Track(int height, bool fill) {
  QImage image = Canvas(kTrackWidth, height);
  QPainter p(&image);
  if (fill) {
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, t_.accent.lighter(120));
    g.setColorAt(1, t_.accent.darker(110));
    Smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 0, kTrackWidth - 2, height), 2, 2);
  } else {
    Plate(p, QRectF(0, 0, kTrackWidth, height), 3, t_.track, t_.border);
  }
  return image;
}

QImage SkinWriter::Line(int width) { return Canvas(width, 1, t_.border); }

QImage SkinWriter::Ladder(int height, bool numbers) {
  // Ticks every 20 pixels from the first knob centre: +12 .. -12 in steps of 4.
  const int width = numbers ? 44 : 10;
  QImage image = Canvas(width, height);
  QPainter p(&image);
  for (int k = 0; k <= 6; ++k) {
    const int y = kKnobHeight / 2 + k * 20;
    const bool major = k == 0 || k == 3 || k == 6;
    p.setPen(QPen(major ? t_.muted : WithAlpha(t_.muted, 130), 1));
    p.drawLine(QPointF(width - (major ? 10 : 6), y + 0.5), QPointF(width, y + 0.5));
    if (numbers && major) {
      const QString text = k == 0 ? "+12" : k == 3 ? "0" : "-12";
      Text(p, QRectF(0, y - 7, width - 13, 14), text, t_.muted, 10, false,
           Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  return image;
}

QImage SkinWriter::GlyphButton(int glyph, bool down, int width, int height, bool danger) {
  QImage image = Canvas(width, height);
  QPainter p(&image);
  if (down)
    Plate(p, QRectF(0, 0, width, height), 5, danger ? t_.danger : t_.pressed, Qt::transparent);
  const int box = std::min(width, height);
  DrawGlyph(p, static_cast<Glyph>(glyph),
            QRectF((width - box) / 2.0, (height - box) / 2.0, box, box),
            down ? (danger ? QColor(Qt::white) : t_.accent) : t_.muted.lighter(t_.dark ? 130 : 90));
  return image;
}

QImage SkinWriter::TextButton(int glyph, bool down, int width, int height) {
  QImage image = Button(down, width, height, false);
  QPainter p(&image);
  DrawGlyph(p, static_cast<Glyph>(glyph), QRectF(6, (height - 22) / 2.0, 22, 22),
            down ? t_.accent : t_.muted.lighter(t_.dark ? 125 : 90));
  return image;
}

// ---- main window -----------------------------------------------------------

void SkinWriter::Main() {
  QImage bg = Canvas(kWindowWidth, kWindowHeight, t_.window);
  {
    QPainter p(&bg);
    Smooth(p);
    // Title strip with a hairline under it.
    QLinearGradient head(0, 0, 0, 44);
    head.setColorAt(0, t_.header.lighter(t_.dark ? 112 : 100));
    head.setColorAt(1, t_.header);
    QPainterPath body;
    body.addRoundedRect(QRectF(0.5, 0.5, kWindowWidth - 1, kWindowHeight - 1), kCornerRadius,
                        kCornerRadius);
    p.setClipPath(body);
    p.fillRect(QRect(0, 0, kWindowWidth, 44), head);
    p.setClipping(false);
    p.setPen(QPen(t_.border, 1));
    p.drawLine(QPointF(0, 44.5), QPointF(kWindowWidth, 44.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    // Left panel and content panel.
    Plate(p, QRectF(8, 52, 168, kPanelBottom - 52), 8, t_.surface, t_.border);
    Plate(p, QRectF(kPanelLeft, kPanelTop, kPanelRight - kPanelLeft, kPanelBottom - kPanelTop), 8,
          t_.surface, t_.border);
    // A separator between the menu buttons and the window buttons.
    p.setPen(QPen(t_.border, 1));
    p.drawLine(QPointF(650.5, 14), QPointF(650.5, 30));
  }
  Save("background.png", bg);
  Put("Main", "MainFormImage", "background.png", 0, 0);

  Save("close_up.png", GlyphButton(int(Glyph::kClose), false, 24, 22));
  Save("close_down.png", GlyphButton(int(Glyph::kClose), true, 24, 22, true));
  Save("minimize_up.png", GlyphButton(int(Glyph::kMinimize), false, 24, 22));
  Save("minimize_down.png", GlyphButton(int(Glyph::kMinimize), true, 24, 22));
  Put("Main", "CloseImageUp", "close_up.png", 684, 11);
  Put("Main", "CloseImageDown", "close_down.png", 684, 11);
  Put("Main", "MinimizeImageUp", "minimize_up.png", 656, 11);
  Put("Main", "MinimizeImageDown", "minimize_down.png", 656, 11);
  const std::array<Glyph, 3> menus = {Glyph::kFolder, Glyph::kSave, Glyph::kInfo};
  for (int i = 0; i < 3; ++i) {
    const QString n = N(i + 1);
    Save("menu" + n + "_up.png", GlyphButton(int(menus[i]), false, 24, 22));
    Save("menu" + n + "_down.png", GlyphButton(int(menus[i]), true, 24, 22));
    Put("Main", "Menu" + n + "ImageUp", "menu" + n + "_up.png", 564 + i * 28, 11);
    Put("Main", "Menu" + n + "ImageDown", "menu" + n + "_down.png", 564 + i * 28, 11);
  }
  // The LED button shows its down picture at rest and the up picture while held.
  Save("led_rest.png", GlyphButton(int(Glyph::kBulb), false, 24, 22));
  Save("led_held.png", GlyphButton(int(Glyph::kBulb), true, 24, 22));
  Put("Main", "LedImageUp", "led_held.png", 532, 11);
  Put("Main", "LedImageDown", "led_rest.png", 532, 11);

  // The logo: a mark and the name.
  const auto mark = [this](QPainter& p, QRectF box) {
    const qreal s = box.height();
    QLinearGradient g(box.topLeft(), box.topLeft() + QPointF(s, s));
    g.setColorAt(0, t_.accent.lighter(120));
    g.setColorAt(1, t_.accent.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(box.left(), box.top(), s, s), s * 0.24, s * 0.24);
    p.setPen(QPen(t_.accent_text, std::max(1.5, s / 12), Qt::SolidLine, Qt::RoundCap));
    const std::array<double, 4> bars = {0.35, 0.65, 0.5, 0.25};
    for (int i = 0; i < 4; ++i) {
      const double x = box.left() + s * (0.26 + i * 0.16);
      p.drawLine(QPointF(x, box.top() + s * (0.5 - bars[i] / 2)), QPointF(x, box.top() + s * (0.5 + bars[i] / 2)));
    }
  };
  const auto logo = [this, &mark](int width, int height, int text_px) {
    QImage image = Canvas(width, height);
    QPainter p(&image);
    Smooth(p);
    const qreal s = height;
    mark(p, QRectF(0, 0, s, s));
    Text(p, QRectF(s + s * 0.35, 0, width - s, height), "AUDIO77", t_.text, text_px, true,
         Qt::AlignLeft | Qt::AlignVCenter);
    return image;
  };
  Save("logo.png", logo(130, 22, 15));
  Put("Main", "LogoImage", "logo.png", 16, 11);
  // The about window stretches its logo into a 57 x 49 box on a plain dialog:
  // the mark above the name in those proportions (at twice the size), the
  // name in the accent colour, which reads on a light and a dark dialog alike.
  const auto about_logo = [this, &mark] {
    constexpr int kWidth = 114;
    constexpr int kHeight = 98;
    constexpr qreal kMark = 66;
    QImage image = Canvas(kWidth, kHeight);
    QPainter p(&image);
    Smooth(p);
    mark(p, QRectF((kWidth - kMark) / 2, 0, kMark, kMark));
    Text(p, QRectF(0, kMark + 2, kWidth, kHeight - kMark - 2), "AUDIO77", t_.accent, 21, true,
         Qt::AlignHCenter | Qt::AlignVCenter);
    return image;
  };
  Save("logo_about.png", about_logo());
  Value("About", "LogoImage", "logo_about.png");

  // Left-hand pictures of the four main pages.
  const std::array<Glyph, 4> pages = {Glyph::kEq, Glyph::kEffect, Glyph::kMic, Glyph::kSurround};
  for (int i = 0; i < 4; ++i) {
    QImage image = Canvas(152, 284);
    QPainter p(&image);
    Smooth(p);
    QRadialGradient halo(QPointF(76, 120), 90);
    halo.setColorAt(0, WithAlpha(t_.accent, t_.dark ? 60 : 40));
    halo.setColorAt(1, WithAlpha(t_.accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(76, 120), 90, 90);
    p.setPen(QPen(WithAlpha(t_.accent, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(76, 120), 56.5, 56.5);
    DrawGlyph(p, pages[i], QRectF(36, 80, 80, 80), t_.accent);
    const QString file = "left" + N(i + 1) + ".png";
    Save(file, image);
    Put("Main", "MainLeftImage" + N(i + 1), file, 16, 60);
  }

  // Device plate with two lamps: present (green) and gone (red).
  QImage plate = Canvas(152, 76);
  {
    QPainter p(&plate);
    Plate(p, QRectF(0, 0, 152, 76), 6, t_.raised, t_.border);
  }
  Save("device_plate.png", plate);
  Put("Main", "DeviceActiveImage", "device_plate.png", 16, 360);
  const auto lamp = [this](QColor colour, bool lit) {
    QImage image = Canvas(12, 12);
    QPainter p(&image);
    Smooth(p);
    p.setPen(QPen(lit ? colour.darker(130) : t_.border, 1));
    p.setBrush(lit ? colour : t_.track);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return image;
  };
  Save("lamp_ok.png", lamp(t_.ok, true));
  Save("lamp_gone.png", lamp(t_.danger, true));
  Save("lamp_off.png", lamp(t_.ok, false));
  Put("Main", "DeviceActiveUpImage", "lamp_ok.png", 28, 376);
  Put("Main", "DeviceActiveDownImage", "lamp_off.png", 28, 376);
  Put("Main", "DeviceUnActiveUpImage", "lamp_off.png", 28, 404);
  Put("Main", "DeviceUnActiveDownImage", "lamp_gone.png", 28, 404);
}

void SkinWriter::Tabs() {
  struct Tab {
    const char* key;
    Glyph glyph;
  };
  const std::array<Tab, 7> tabs = {
      Tab{"EQ", Glyph::kEq},         Tab{"Effect", Glyph::kEffect},
      Tab{"Mic", Glyph::kMic},       Tab{"Virtual7p1", Glyph::kSurround},
      Tab{"LED", Glyph::kLed},       Tab{"ENC", Glyph::kEnc},
      Tab{"VMEffect", Glyph::kVoice}};
  for (int i = 0; i < 7; ++i) {
    for (const bool down : {false, true}) {
      QImage image = Canvas(70, 32);
      QPainter p(&image);
      if (down) {
        Plate(p, QRectF(0, 0, 70, 32), 6, t_.pressed, Mix(t_.accent, t_.border, 0.5));
        p.fillRect(QRect(12, 29, 46, 3), t_.accent);
      } else {
        Plate(p, QRectF(0, 0, 70, 32), 6, t_.raised, t_.border);
      }
      DrawGlyph(p, tabs[i].glyph, QRectF(5, 7, 18, 18),
                down ? t_.accent : t_.muted.lighter(t_.dark ? 125 : 90));
      const QString file = QString("tab_%1_%2.png").arg(i + 1).arg(down ? "down" : "up");
      Save(file, image);
      Put("Main", QString("Page%1%2Image").arg(tabs[i].key, down ? "Down" : "Up"), file,
          184 + i * 74, 52);
    }
  }
  Value("Main", "BevelLine", "0");
  Value("Main", "BevelLine2", "0");
}

// Back picture of a feature page: the panel's face with the switch column's well.
static QImage PageBack(const Theme& t, int column_height) {
  QImage image = Canvas(kPanelRight - kPanelLeft - 2, kPanelBottom - kPanelTop - 2, t.surface);
  QPainter p(&image);
  if (column_height > 0) {
    Plate(p, QRectF(kColumnLeft - 12 - kPanelLeft - 1, 0, kColumnWidth + 24, column_height), 6,
          Mix(t.surface, t.window, 0.45), Mix(t.border, t.surface, 0.4));
  }
  return image;
}

void SkinWriter::Eq() {
  // The switch column's well: three rows of switches, or the Virtual 7.1 set.
  Save("back_column.png", PageBack(t_, 114));
  Save("back_plain.png", PageBack(t_, 0));
  Put("EQ", "Back_EQImage", "back_column.png", kPanelLeft + 1, kPanelTop + 1);
  Save("button_up.png", Button(false, kColumnWidth, kButtonHeight, true));
  Save("button_down.png", Button(true, kColumnWidth, kButtonHeight, true));
  Save("push_up.png", Button(false, kColumnWidth, kButtonHeight, false));
  Save("push_down.png", Button(true, kColumnWidth, kButtonHeight, false));
  const auto column = [this](const QString& section, const QString& up_key, const QString& down_key,
                             int row, bool lamp, int extra = 0) {
    const int y = 100 + row * kRowStep + extra;
    Put(section, up_key, lamp ? "button_up.png" : "push_up.png", kColumnLeft, y);
    Put(section, down_key, lamp ? "button_down.png" : "push_down.png", kColumnLeft, y);
  };
  column("EQ", "EQEQENImageUp", "EQEQENImageDown", 0, true);
  column("EQ", "EQ3DENImageUp", "EQ3DENImageDown", 1, true);
  column("EQ", "EQResetImageUp", "EQResetImageDown", 2, false);
  // The four presets in a row under the sliders.
  Save("preset_up.png", Button(false, 100, kButtonHeight, true));
  Save("preset_down.png", Button(true, 100, kButtonHeight, true));
  for (int s = 0; s < 4; ++s) {
    const int x = 210 + s * 112;
    Put("EQ", QString("EQS%1ImageUp").arg(s + 1), "preset_up.png", x, 330);
    Put("EQ", QString("EQS%1ImageDown").arg(s + 1), "preset_down.png", x, 330);
  }
  Save("line_column.png", Line(kColumnWidth));
  Save("line_band.png", Line(48));
  Save("graduation.png", Ladder(kTrackHeight, true));
  Save("track.png", Track(kTrackHeight, false));
  Save("fill.png", Track(kTrackHeight, true));
  Save("knob.png", Knob(false));
  Put("EQ", "EQGraduationImage", "graduation.png", 196, kTravelTop);
  const std::array<const char*, 5> bands = {"60", "300", "1200", "3600", "12000"};
  for (int b = 0; b < 5; ++b) {
    const int cx = 272 + b * 64;
    Put("EQ", QString("EQButtonLineImage%1").arg(b + 1), "line_band.png", cx - 24, 292);
    Put("EQ", QString("EQ%1HzBarImage").arg(bands[b]), "track.png", cx - kTrackWidth / 2,
        kTravelTop);
    Put("EQ", QString("EQ%1HzSliderImage").arg(bands[b]), "knob.png", cx - kKnobWidth / 2,
        kRestTop);
    // Fills belong to every page unless told otherwise: this one to the EQ page.
    Value("EQ", QString("EQ%1HzBarDownImage").arg(bands[b]),
          QString("fill.png,%1,%2,,,1").arg(cx - kTrackWidth / 2).arg(kTravelTop));
  }
  Value("EQ", "EQSlider", N(kTravelTop) + "," + N(kTravelLength));
}

void SkinWriter::ThreeD() {
  Put("3D", "Back_3DImage", "back_column.png", kPanelLeft + 1, kPanelTop + 1);
  const std::array<std::pair<const char*, bool>, 3> rows = {
      std::pair{"D33DEN", true}, std::pair{"D3FBM", true}, std::pair{"D3Reset", false}};
  for (int r = 0; r < 3; ++r) {
    const int y = 100 + r * kRowStep;
    const QString base = rows[r].first;
    Put("3D", base + "ImageUp", rows[r].second ? "button_up.png" : "push_up.png", kColumnLeft, y);
    Put("3D", base + "ImageDown", rows[r].second ? "button_down.png" : "push_down.png", kColumnLeft,
        y);
  }
  Put("3D", "D3ButtonLineImage1", "line_column.png", kColumnLeft, 165);
  Save("line_wide.png", Line(300));
  Put("3D", "D3ButtonLineImage2", "line_wide.png", 210, 292);
  Save("ladder.png", Ladder(kTrackHeight, false));
  struct Slider {
    const char* name;
    int cx;
  };
  const std::array<Slider, 4> sliders = {Slider{"LAlpha", 240}, Slider{"LBeta", 300},
                                         Slider{"RAlpha", 420}, Slider{"RBeta", 480}};
  for (const Slider& s : sliders) {
    Put("3D", QString("D3%1GraduationImage").arg(s.name), "ladder.png", s.cx - 24, kTravelTop);
    Put("3D", QString("D3%1BarImage").arg(s.name), "track.png", s.cx - kTrackWidth / 2, kTravelTop);
    Put("3D", QString("D3%1SliderImage").arg(s.name), "knob.png", s.cx - kKnobWidth / 2, kRestTop);
  }
  const auto badge = [this](const QString& letter) {
    QImage image = Canvas(100, 22);
    QPainter p(&image);
    Plate(p, QRectF(0, 0, 100, 22), 11, t_.raised, t_.border);
    Text(p, QRectF(0, 0, 100, 22), letter, t_.text, 12, true);
    return image;
  };
  Save("channel_l.png", badge("L"));
  Save("channel_r.png", badge("R"));
  Put("3D", "D3LChannelImage", "channel_l.png", 220, 254);
  Put("3D", "D3RChannelImage", "channel_r.png", 400, 254);
  // The link between the channels: a line with a node; the link modes as glyphs.
  QImage connection = Canvas(48, 40);
  {
    QPainter p(&connection);
    Smooth(p);
    p.setPen(QPen(t_.muted, 1, Qt::DashLine));
    p.drawLine(QPointF(24, 0), QPointF(24, 40));
  }
  Save("connection.png", connection);
  Put("3D", "D3ConnectionImage", "connection.png", 336, 148);
  const auto link = [this](int mode) {
    QImage image = Canvas(48, 28);
    QPainter p(&image);
    Plate(p, QRectF(0, 0, 48, 28), 6, mode == 0 ? t_.raised : t_.pressed, t_.border);
    Smooth(p);
    p.setPen(QPen(mode == 0 ? t_.muted : t_.accent, 1.6, Qt::SolidLine, Qt::RoundCap));
    if (mode == 0) {  // independent: two apart
      p.drawLine(QPointF(12, 14), QPointF(20, 14));
      p.drawLine(QPointF(28, 14), QPointF(36, 14));
    } else if (mode == 1) {  // dependent: chain
      p.drawRoundedRect(QRectF(9, 10, 16, 8), 4, 4);
      p.drawRoundedRect(QRectF(23, 10, 16, 8), 4, 4);
    } else {  // inverse: crossing arrows
      p.drawLine(QPointF(13, 9), QPointF(35, 19));
      p.drawLine(QPointF(13, 19), QPointF(35, 9));
    }
    return image;
  };
  const std::array<const char*, 3> modes = {"Indep", "Dep", "Inv"};
  for (int m = 0; m < 3; ++m) {
    const QString file = QString("link_%1.png").arg(QString(modes[m]).toLower());
    Save(file, link(m));
    Put("3D", QString("D3Alpha%1Image").arg(modes[m]), file, 336, 116);
    Put("3D", QString("D3Beta%1Image").arg(modes[m]), file, 336, 192);
  }
}

void SkinWriter::Effect() {
  Put("Effect", "Back_EffectImage", "back_plain.png", kPanelLeft + 1, kPanelTop + 1);
  struct Env {
    const char* key;
    Glyph glyph;
  };
  const std::array<Env, 5> envs = {
      Env{"Non", Glyph::kNone}, Env{"Theater", Glyph::kTheater}, Env{"Bathroom", Glyph::kBathroom},
      Env{"Livingroom", Glyph::kLivingroom}, Env{"StoneGallery", Glyph::kStoneGallery}};
  for (int n = 0; n < 5; ++n) {
    const int y = 100 + n * 46;
    for (const bool down : {false, true}) {
      const QString file = QString("env%1_%2.png").arg(n + 1).arg(down ? "down" : "up");
      Save(file, TextButton(int(envs[n].glyph), down, 156, 36));
      Put("Effect", QString("EffectButton%1Image%2").arg(envs[n].key, down ? "Down" : "Up"), file,
          196, y);
    }
    if (n < 4) {
      Save("line_env.png", Line(156));
      Put("Effect", QString("EffectButtonLineImage%1").arg(n + 1), "line_env.png", 196, y + 41);
    }
    // The environment's picture: its sign inside rings that grow with the room.
    QImage pic = Canvas(320, 296);
    {
      QPainter p(&pic);
      Plate(p, QRectF(0, 0, 320, 296), 10, Mix(t_.surface, t_.window, 0.35), t_.border);
      Smooth(p);
      const QPointF c(160, 148);
      for (int ring = 1; ring <= 4; ++ring) {
        const double r = 24.0 + ring * (10.0 + n * 6.0);
        p.setPen(QPen(WithAlpha(t_.accent, 150 - ring * 28), 1.2));
        p.setBrush(Qt::NoBrush);
        if (n == 0 && ring > 1) break;
        p.drawEllipse(c, r, r);
      }
      DrawGlyph(p, envs[n].glyph, QRectF(120, 108, 80, 80), t_.accent);
    }
    const QString pic_file = QString("env%1_picture.png").arg(n + 1);
    Save(pic_file, pic);
    Put("Effect", QString("EffectPic%1Image").arg(envs[n].key), pic_file, 376, 100);
  }
}

void SkinWriter::Mic() {
  QImage back = PageBack(t_, 114);
  {
    // The level meter's groove.
    QPainter p(&back);
    Plate(p, QRectF(196 - kPanelLeft - 2, 296 - kPanelTop - 2, 344, 14), 7, t_.track, t_.border);
  }
  Save("back_mic.png", back);
  Put("Mic", "Back_MicImage", "back_mic.png", kPanelLeft + 1, kPanelTop + 1);
  const std::array<const char*, 3> rows = {"MicBoost", "MicMute", "MicMonitor"};
  for (int r = 0; r < 3; ++r) {
    Put("Mic", QString("%1ImageUp").arg(rows[r]), "button_up.png", kColumnLeft, 100 + r * kRowStep);
    Put("Mic", QString("%1ImageDown").arg(rows[r]), "button_down.png", kColumnLeft,
        100 + r * kRowStep);
  }
  Put("Mic", "MicButtonLineImage", "line_column.png", kColumnLeft, 165);
  // Gain slider on the left, the microphone's picture beside it, the meter below.
  const int cx = 280;
  // A percent slider: the plain ladder, not the EQ's decibel marks.
  Put("Mic", "MicGraduationImage", "ladder.png", cx - 24, kTravelTop);
  Put("Mic", "MicBarImage", "track.png", cx - kTrackWidth / 2, kTravelTop);
  Value("Mic", "MicBarDownImage",
        QString("fill.png,%1,%2,,,3").arg(cx - kTrackWidth / 2).arg(kTravelTop));
  Put("Mic", "MicSliderImage", "knob.png", cx - kKnobWidth / 2, kRestTop);
  QImage gain = Canvas(20, 20);
  {
    QPainter p(&gain);
    DrawGlyph(p, Glyph::kBoost, QRectF(0, 0, 20, 20), t_.muted);
  }
  Save("mic_gain.png", gain);
  Put("Mic", "MicGainImage", "mic_gain.png", cx + 14, kTravelTop - 2);
  QImage plate = Canvas(44, 20);
  {
    QPainter p(&plate);
    Plate(p, QRectF(0, 0, 44, 20), 5, t_.track, t_.border);
  }
  Save("value_plate.png", plate);
  Put("Mic", "MicValueImage", "value_plate.png", cx - 22, 250);
  QImage mic = Canvas(150, 150);
  {
    QPainter p(&mic);
    Smooth(p);
    QRadialGradient halo(QPointF(75, 75), 75);
    halo.setColorAt(0, WithAlpha(t_.accent, t_.dark ? 55 : 35));
    halo.setColorAt(1, WithAlpha(t_.accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(75, 75), 75, 75);
    p.setPen(QPen(WithAlpha(t_.accent, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(75, 75), 52.5, 52.5);
    DrawGlyph(p, Glyph::kMic, QRectF(35, 30, 80, 90), t_.accent);
  }
  Save("mic_picture.png", mic);
  Put("Mic", "MicPicImage", "mic_picture.png", 372, 108);
  // The level bar: green to amber to red, shown as wide as the level.
  QImage level = Canvas(340, 10);
  {
    QPainter p(&level);
    QLinearGradient g(0, 0, 340, 0);
    g.setColorAt(0, t_.ok);
    g.setColorAt(0.7, QColor(0xf2, 0xb7, 0x2f));
    g.setColorAt(1, t_.danger);
    Smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0, 0, 340, 10), 5, 5);
  }
  Save("mic_level.png", level);
  Put("Mic", "MicProgressImage", "mic_level.png", 196, 296);
  Value("Mic", "MicProgressLength", "340");
  Value("Mic", "MicSlider", N(kTravelTop) + "," + N(kTravelLength));
}

void SkinWriter::Virtual() {
  // The switch, then the four movements as buttons of the column with their
  // sign at the left (the language files put their captions beside it), then
  // the reset.
  Save("back_virtual.png", PageBack(t_, 237));
  Put("Virtual7ch1", "Back_Virtual7p1Image", "back_virtual.png", kPanelLeft + 1, kPanelTop + 1);
  Put("Virtual7ch1", "VirtualEnableImageUp", "button_up.png", kColumnLeft, 100);
  Put("Virtual7ch1", "VirtualEnableImageDown", "button_down.png", kColumnLeft, 100);
  struct Move {
    const char* key;
    Glyph glyph;
  };
  const std::array<Move, 4> moves = {Move{"Clockwise", Glyph::kClockwise},
                                     Move{"Counterclockwise", Glyph::kCounterclockwise},
                                     Move{"Enlarge", Glyph::kEnlarge}, Move{"Narrow", Glyph::kNarrow}};
  for (int i = 0; i < 4; ++i) {
    const Move& m = moves[static_cast<std::size_t>(i)];
    for (const bool down : {false, true}) {
      const QString file =
          QString("v_%1_%2.png").arg(QString(m.key).toLower(), down ? "down" : "up");
      Save(file, TextButton(int(m.glyph), down, kColumnWidth, kButtonHeight));
      Put("Virtual7ch1", QString("Virtual%1%2Image").arg(m.key, down ? "Down" : "Up"), file,
          kColumnLeft, 142 + i * kRowStep);
    }
  }
  Put("Virtual7ch1", "VirtualResetUpImage", "push_up.png", kColumnLeft, 286);
  Put("Virtual7ch1", "VirtualResetDownImage", "push_down.png", kColumnLeft, 286);
  Put("Virtual7ch1", "VirtualButtonLineImage1", "line_column.png", kColumnLeft, 135);
  // Lines part the switch, the turns, the sizes and the reset.
  Put("Virtual7ch1", "VirtualButtonLineImage2", "line_column.png", kColumnLeft, 207);
  Put("Virtual7ch1", "VirtualButtonLineImage3", "line_column.png", kColumnLeft, 279);
  // The listening circle: rings, cross hairs and the listener in the middle.
  QImage circle = Canvas(kCircleSize, kCircleSize);
  {
    QPainter p(&circle);
    Smooth(p);
    const QPointF c(kCircleSize / 2.0, kCircleSize / 2.0);
    QRadialGradient floor(c, kCircleSize / 2.0);
    floor.setColorAt(0, WithAlpha(t_.accent, t_.dark ? 40 : 28));
    floor.setColorAt(1, WithAlpha(t_.accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(floor);
    p.drawEllipse(c, kCircleSize / 2.0 - 1, kCircleSize / 2.0 - 1);
    p.setBrush(Qt::NoBrush);
    for (const int r : {40, 80, kRadius, 160}) {
      p.setPen(QPen(r == kRadius ? WithAlpha(t_.accent, 150) : WithAlpha(t_.muted, 80), 1,
                    r == kRadius ? Qt::SolidLine : Qt::DotLine));
      p.drawEllipse(c, r, r);
    }
    p.setPen(QPen(WithAlpha(t_.muted, 60), 1));
    p.drawLine(QPointF(c.x(), 8), QPointF(c.x(), kCircleSize - 8));
    p.drawLine(QPointF(8, c.y()), QPointF(kCircleSize - 8, c.y()));
    // Listener: a head seen from above, nose to the front.
    p.setPen(QPen(t_.text, 1.5));
    p.setBrush(t_.raised);
    p.drawEllipse(c, 16, 18);
    p.drawLine(QPointF(c.x(), c.y() - 18), QPointF(c.x(), c.y() - 24));
    p.setBrush(t_.muted);
    p.drawEllipse(QPointF(c.x() - 17, c.y()), 3, 6);
    p.drawEllipse(QPointF(c.x() + 17, c.y()), 3, 6);
  }
  Save("circle.png", circle);
  Put("Virtual7ch1", "VirtualPicImage", "circle.png", kCircleLeft, kCircleTop);
  struct Speaker {
    const char* key;
    const char* text;
    double angle;
    int radius;
  };
  const std::array<Speaker, 8> speakers = {
      Speaker{"C", "C", 0, kRadius},     Speaker{"L", "L", -30, kRadius},
      Speaker{"LS", "LS", -95, kRadius}, Speaker{"LB", "LB", -145, kRadius},
      Speaker{"RB", "RB", 145, kRadius}, Speaker{"RS", "RS", 95, kRadius},
      Speaker{"R", "R", 30, kRadius},    Speaker{"SUB", "SW", 45, 64}};
  for (const Speaker& s : speakers) {
    QImage icon = Canvas(32, 32);
    {
      QPainter p(&icon);
      Smooth(p);
      p.setPen(QPen(t_.accent.darker(130), 1));
      QRadialGradient g(QPointF(12, 10), 22);
      g.setColorAt(0, t_.accent.lighter(130));
      g.setColorAt(1, t_.accent.darker(110));
      p.setBrush(g);
      p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
      Text(p, QRectF(0, 0, 32, 32), s.text, t_.accent_text, std::strlen(s.text) > 1 ? 10 : 12,
           true);
    }
    const QString file = QString("speaker_%1.png").arg(QString(s.key).toLower());
    Save(file, icon);
    const double a = qDegreesToRadians(s.angle);
    const int left = kCenterX + static_cast<int>(std::lround(s.radius * std::sin(a))) - 16;
    const int top = kCenterY - static_cast<int>(std::lround(s.radius * std::cos(a))) - 16;
    Put("Virtual7ch1", QString("Virtual%1Image").arg(s.key), file, left, top);
  }
  Value("Virtual7ch1", "VirtualCenter", N(kCenterX) + "," + N(kCenterY) + "," + N(kRadius));
}

void SkinWriter::Led() {
  Value("LED", "LEDPageMode", "1");
  Value("LED", "LEDFastRightSide", "0");
  const auto check = [this](bool down) {
    QImage image = Canvas(22, 22);
    QPainter p(&image);
    Plate(p, QRectF(0, 0, 22, 22), 11, down ? t_.accent : t_.raised,
          down ? t_.accent.darker(130) : t_.border);
    if (down) {
      p.setPen(Qt::NoPen);
      p.setBrush(t_.accent_text);
      p.drawEllipse(QPointF(11, 11), 4, 4);
    }
    return image;
  };
  Save("radio_up.png", check(false));
  Save("radio_down.png", check(true));
  const auto bar = [this](int kind) {
    QImage image = Canvas(220, 10);
    QPainter p(&image);
    Smooth(p);
    QLinearGradient g(0, 0, 220, 0);
    if (kind == 1) {
      const std::array<QColor, 7> hues = {
          Qt::red, QColor(255, 150, 0), Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta};
      for (int i = 0; i < 7; ++i) g.setColorAt(i / 6.0, hues[i]);
    } else {
      g.setColorAt(0, WithAlpha(t_.accent, 60));
      g.setColorAt(1, t_.accent);
    }
    p.setPen(QPen(t_.border, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 219, 9), 4.5, 4.5);
    return image;
  };
  const auto knob = [this](bool down) {
    QImage image = Canvas(12, 22);
    QPainter p(&image);
    GradientPlate(p, QRectF(0, 0, 12, 22), 4, down ? t_.accent : t_.text,
                  down ? t_.accent.darker(120) : t_.muted, t_.border.darker(120));
    return image;
  };
  Save("led_knob_up.png", knob(false));
  Save("led_knob_down.png", knob(true));
  const std::array<const char*, 3> effects = {"Breathe", "Rainbow", "Pulsating"};
  for (int i = 0; i < 3; ++i) {
    const int y = 164 + i * 56;
    const QString bar_file = QString("led_bar_%1.png").arg(QString(effects[i]).toLower());
    Save(bar_file, bar(i == 1 ? 1 : 0));
    Put("LED", QString("Color%1BarImage").arg(effects[i]), bar_file, 232, y + 6);
    Put("LED", QString("Color%1SliderUpImage").arg(effects[i]), "led_knob_up.png", 232, y);
    Put("LED", QString("Color%1SliderDownImage").arg(effects[i]), "led_knob_down.png", 232, y);
    Put("LED", QString("Color%1CheckUpImage").arg(effects[i]), "radio_up.png", 196, y);
    Put("LED", QString("Color%1CheckDownImage").arg(effects[i]), "radio_down.png", 196, y);
  }
  Put("LED", "ColorSingleCheckUpImage", "radio_up.png", 196, 108);
  Put("LED", "ColorSingleCheckDownImage", "radio_down.png", 196, 108);
  Put("LED", "ColorLEDOffCheckUpImage", "radio_up.png", 196, 332);
  Put("LED", "ColorLEDOffCheckDownImage", "radio_down.png", 196, 332);
  for (int i = 0; i < 7; ++i) {
    Value("LED", QString("Color0%1Shape").arg(i + 1), QString("%1,108,22,22,1").arg(296 + i * 30));
  }
  Value("LED", "ColorSingleShape", "232,108,22,22,5");
  Value("LED", "ColorBreatheShape", "472,164,22,22,5");
}

void SkinWriter::Enc() {
  Put("ENC", "ENCFunctionUpImage", "button_up.png", kColumnLeft, 100);
  Put("ENC", "ENCFunctionDownImage", "button_down.png", kColumnLeft, 100);
  // The bar is wider than its groove, so a click beside the groove still counts.
  QImage bar = Canvas(60, kEncBarHeight);
  {
    QPainter p(&bar);
    Plate(p, QRectF(27, 0, kTrackWidth, kEncBarHeight), 3, t_.track, t_.border);
    for (int k = 0; k <= 6; ++k) {
      const int y = kEncTop - kEncBarTop + kKnobHeight / 2 + k * 20;
      p.setPen(QPen(k % 3 == 0 ? t_.muted : WithAlpha(t_.muted, 130), 1));
      p.drawLine(QPointF(k % 3 == 0 ? 8 : 14, y + 0.5), QPointF(22, y + 0.5));
      p.drawLine(QPointF(38, y + 0.5), QPointF(k % 3 == 0 ? 52 : 46, y + 0.5));
    }
  }
  Save("enc_bar.png", bar);
  Put("ENC", "ENCBarImage", "enc_bar.png", 235, kEncBarTop);
  Put("ENC", "ENCSliderImage", "knob.png", 265 - kKnobWidth / 2, kEncTop + kEncLength);
  Put("ENC", "ENCValueImage", "value_plate.png", 243, 272);
  Value("ENC", "ENCSlider", N(kEncTop) + "," + N(kEncLength));
}

void SkinWriter::Voice() {
  const std::array<Glyph, 5> glyphs = {Glyph::kNone, Glyph::kVoice1, Glyph::kVoice2, Glyph::kVoice3,
                                       Glyph::kVoice4};
  const std::array<const char*, 5> keys = {"None", "1", "2", "3", "4"};
  for (int n = 0; n < 5; ++n) {
    for (const bool down : {false, true}) {
      const QString file = QString("vm%1_%2.png").arg(n).arg(down ? "down" : "up");
      Save(file, TextButton(int(glyphs[n]), down, 156, 36));
      Put("VoiceMagic", QString("VMEffect%1%2Image").arg(keys[n], down ? "Down" : "Up"), file, 196,
          100 + n * 46);
    }
  }
  Put("VoiceMagic", "VMFunctionUpImage", "button_up.png", kColumnLeft, 100);
  Put("VoiceMagic", "VMFunctionDownImage", "button_down.png", kColumnLeft, 100);
}

void SkinWriter::Settings() {
  QFile file(folder_ + "/SkinSetting.ini");
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    throw std::runtime_error("cannot write " + file.fileName().toStdString());
  }
  QTextStream out(&file);
  out << "; " << t_.name
      << " skin, drawn by skingen. Values: file,left,top[,width,height[,page]].\n";
  for (const QString& section : sections_) {
    out << "\n[" << section << "]\n";
    for (const QString& line : lines_[section]) out << line << "\n";
  }
}

void SkinWriter::Region() {
  // Rounded corners: one rectangle per corner row, one for the straight middle.
  QByteArray data;
  const auto put = [&data](qint32 v) {
    for (int s = 0; s < 32; s += 8)
      data.append(static_cast<char>((static_cast<quint32>(v) >> s) & 0xFF));
  };
  struct Edge {
    int left, top, right, bottom;
  };
  std::vector<Edge> rows;
  const double r = kCornerRadius;
  for (int y = 0; y < kCornerRadius; ++y) {
    const double dy = r - (y + 0.5);
    const int inset = static_cast<int>(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy))));
    rows.push_back({inset, y, kWindowWidth - inset, y + 1});
  }
  const std::size_t top_rows = rows.size();
  rows.push_back({0, kCornerRadius, kWindowWidth, kWindowHeight - kCornerRadius});
  for (std::size_t i = top_rows; i-- > 0;) {
    const Edge& e = rows[i];
    rows.push_back({e.left, kWindowHeight - 1 - e.top, e.right, kWindowHeight - e.top});
  }
  put(32);
  put(1);
  put(static_cast<qint32>(rows.size()));
  put(static_cast<qint32>(rows.size() * 16));
  put(0);
  put(0);
  put(kWindowWidth);
  put(kWindowHeight);
  for (const Edge& e : rows) {
    put(e.left);
    put(e.top);
    put(e.right);
    put(e.bottom);
  }
  QFile file(folder_ + "/MainForm_Frame.rgn");
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
    throw std::runtime_error("cannot write " + file.fileName().toStdString());
  }
}

}  // namespace skingen
