#include "toolkit/Image.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace audio77::toolkit {

Image::Image(Form& form, std::string name, int tag, Control* parent, std::size_t index)
    : Control(form, ControlKind::kImage, std::move(name), tag, parent, index) {}

void Image::SetPicture(PicturePtr picture) {
  if (picture == picture_) return;
  picture_ = std::move(picture);
  Repaint();
  FitToPicture();
}

void Image::LoadFromFile(const std::string& path) {
  SetPicture(Owner().App().Pictures().Load(path));
}

void Image::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Repaint();
}

void Image::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  FitToPicture();
}

void Image::FitToPicture() {
  if (auto_size_ && picture_) SetBounds({Left(), Top(), picture_->Width(), picture_->Height()});
}

}  // namespace audio77::toolkit
