#pragma once
// The colours of one bundled skin. Every picture is drawn from these, so the
// two skins differ only here.

#include <QColor>
#include <QString>

namespace skingen {

struct Theme {
  QString name;
  bool dark = true;
  QColor window;       // the window's face
  QColor header;       // title strip
  QColor surface;      // panels
  QColor raised;       // buttons at rest
  QColor pressed;      // buttons held or on
  QColor border;       // 1 px outlines
  QColor text;         // glyphs and marks
  QColor muted;        // secondary marks, ticks
  QColor accent;       // "on", fills, knobs
  QColor accent_text;  // glyphs on the accent
  QColor track;        // slider tracks
  QColor ok;           // device present
  QColor danger;       // device gone, close
};

Theme DarkTheme();
Theme LightTheme();

}  // namespace skingen
