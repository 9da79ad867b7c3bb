#pragma once
// The program's icon in the notification area: picture, hint, a pop-up menu
// opened when the right button is released over it, and restore on double click.

#include <functional>
#include <string>

#include "toolkit/Geometry.h"
#include "toolkit/Picture.h"

namespace audio77::toolkit {

class Application;
class PopupMenu;

class TrayIcon {
 public:
  explicit TrayIcon(Application& app);

  const PicturePtr& GetPicture() const { return picture_; }
  void SetPicture(PicturePtr picture);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  PopupMenu* Menu() const { return menu_; }
  void SetMenu(PopupMenu* menu) { menu_ = menu; }
  bool RestoreOnDoubleClick() const { return restore_on_double_click_; }
  void SetRestoreOnDoubleClick(bool restore) { restore_on_double_click_ = restore; }

  // After a double click has restored the program.
  std::function<void(TrayIcon&)> OnRestore;

  // Input from the notification area.
  void DoubleClick();
  void RightButtonUp(Point screen);

  // The presentation follows picture, hint and visibility through this.
  void SetChangeListener(std::function<void()> listener);

 private:
  void Changed();

  Application& app_;
  PicturePtr picture_;
  std::string hint_;
  bool visible_ = true;
  PopupMenu* menu_ = nullptr;
  bool restore_on_double_click_ = true;
  std::function<void()> listener_;
};

}  // namespace audio77::toolkit
