#pragma once
// A picture on the form. Not stretched, the picture is drawn at its natural
// size from the control's top-left corner and clipped to the control, so a
// level bar grows by widening the control. With automatic sizing the control
// takes the picture's size whenever a picture is set.

#include <string>

#include "toolkit/Control.h"
#include "toolkit/Picture.h"

namespace audio77::toolkit {

class Image final : public Control {
 public:
  Image(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  const PicturePtr& GetPicture() const { return picture_; }
  bool HasPicture() const { return picture_ != nullptr; }
  void SetPicture(PicturePtr picture);
  void ClearPicture() { SetPicture(nullptr); }
  // Loads through the application's picture cache. On failure the PictureError
  // propagates and the image keeps the picture it had.
  void LoadFromFile(const std::string& path);

  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);

 private:
  void FitToPicture();

  PicturePtr picture_;
  bool stretch_ = false;
  bool auto_size_ = false;
};

}  // namespace audio77::toolkit
