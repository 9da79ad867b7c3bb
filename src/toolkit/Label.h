#pragma once
// Text on the form: caption, font, alignment, background colour unless
// transparent, word wrap and automatic sizing to the text. A disabled label is
// drawn greyed.

#include <string>

#include "toolkit/Color.h"
#include "toolkit/Control.h"
#include "toolkit/Font.h"

namespace audio77::toolkit {

enum class TextAlignment { kLeft, kCenter, kRight };

class Label final : public Control {
 public:
  Label(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const Font& GetFont() const { return font_; }
  void SetFont(const Font& font);
  void SetFontColor(Color color);
  Color BackgroundColor() const { return color_; }
  void SetBackgroundColor(Color color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool word_wrap);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  TextAlignment Alignment() const { return alignment_; }
  void SetAlignment(TextAlignment alignment);

 private:
  void Changed();
  void FitToText();

  std::string caption_;
  Font font_;
  Color color_ = kButtonFace;
  bool transparent_ = false;
  bool word_wrap_ = false;
  bool auto_size_ = true;
  TextAlignment alignment_ = TextAlignment::kLeft;
};

}  // namespace audio77::toolkit
