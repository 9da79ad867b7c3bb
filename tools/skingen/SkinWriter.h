#pragma once
// Draws one bundled skin into a folder: every picture, "SkinSetting.ini" and
// the window shape "MainForm_Frame.rgn". One layout serves every skin, so the
// labels of the language files sit on every skin alike.

#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>

#include "Theme.h"

namespace skingen {

// The window: its size and the radius of its rounded corners.
inline constexpr int kWindowWidth = 720;
inline constexpr int kWindowHeight = 452;
inline constexpr int kCornerRadius = 10;

class SkinWriter {
 public:
  SkinWriter(Theme theme, QString folder);
  // Throws std::runtime_error when a file cannot be written.
  void Write();

 private:
  void Save(const QString& file, const QImage& image);
  // key=file,left,top[,width,height]
  void Put(const QString& section, const QString& key, const QString& file, int left, int top,
           int width = -1, int height = -1);
  void Value(const QString& section, const QString& key, const QString& value);
  void Main();
  void Tabs();
  void Eq();
  void ThreeD();
  void Effect();
  void Mic();
  void Virtual();
  void Led();
  void Enc();
  void Voice();
  void Settings();
  void Region();

  // Shared pictures.
  QImage Button(bool down, int width, int height, bool with_lamp);
  QImage Knob(bool down);
  QImage Track(int height, bool fill);
  QImage Line(int width);
  QImage Ladder(int height, bool numbers);
  QImage GlyphButton(int glyph, bool down, int width, int height, bool danger = false);
  QImage TextButton(int glyph, bool down, int width, int height);

  Theme t_;
  QString folder_;
  QStringList sections_;
  QMap<QString, QStringList> lines_;
};

}  // namespace skingen
