#include "toolkit/Label.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace audio77::toolkit {

Label::Label(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kLabel, std::move(name), tag, parent, index) {}

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed();
}

void Label::SetFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  Changed();
}

void Label::SetFontColor(Color color) {
  if (color == font_.color) return;
  font_.color = color;
  Repaint();
}

void Label::SetBackgroundColor(Color color) {
  if (color == color_) return;
  color_ = color;
  Repaint();
}

void Label::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Repaint();
}

void Label::SetWordWrap(bool word_wrap) {
  if (word_wrap == word_wrap_) return;
  word_wrap_ = word_wrap;
  Changed();
}

void Label::SetAutoSize(bool auto_size) {
  if (auto_size == auto_size_) return;
  auto_size_ = auto_size;
  Changed();
}

void Label::SetAlignment(TextAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Repaint();
}

void Label::Changed() {
  Repaint();
  FitToText();
}

// A wrapping label keeps its width and grows downwards; otherwise it takes the
// text's width and height.
void Label::FitToText() {
  if (!auto_size_) return;
  const int wrap_width = word_wrap_ ? Width() : 0;
  const Size text = Owner().App().MeasureText(caption_, font_, wrap_width);
  if (word_wrap_) {
    SetHeight(text.height);
  } else {
    SetBounds({Left(), Top(), text.width, text.height});
  }
}

}  // namespace audio77::toolkit
