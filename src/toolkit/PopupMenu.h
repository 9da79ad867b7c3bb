#pragma once
// A pop-up menu: a tree of items under an invisible root.

#include <string>

#include "toolkit/Geometry.h"
#include "toolkit/MenuItem.h"

namespace audio77::toolkit {

class Application;

class PopupMenu {
 public:
  PopupMenu(Application& app, std::string name);

  const std::string& Name() const { return name_; }
  MenuItem& Root() { return root_; }
  MenuItem& Add(std::string name, std::string caption) {
    return root_.Add(std::move(name), std::move(caption));
  }
  MenuItem* Find(const std::string& name) { return root_.Find(name); }

  // Opens the menu at a screen position (through the application's presenter).
  void Popup(Point screen);
  int Popups() const { return popups_; }
  Point LastPopupPosition() const { return last_popup_; }

 private:
  Application& app_;
  std::string name_;
  MenuItem root_;
  int popups_ = 0;
  Point last_popup_;
};

}  // namespace audio77::toolkit
