#pragma once
// Shows a pop-up menu on screen; the Qt presentation implements it.

#include "toolkit/Geometry.h"

namespace audio77::toolkit {

class PopupMenu;

class MenuPresenter {
 public:
  virtual ~MenuPresenter() = default;
  // Shows the menu at a screen position; a chosen item is clicked on the model.
  virtual void Popup(PopupMenu& menu, Point screen) = 0;
};

}  // namespace audio77::toolkit
