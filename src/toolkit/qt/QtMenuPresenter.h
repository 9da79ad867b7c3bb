#pragma once
// Pop-up menus as QMenu: built from the model each time they open, so they
// always show the current captions, check marks and visibility.

#include <QHash>

#include "toolkit/MenuPresenter.h"

class QAction;
class QMenu;

namespace audio77::toolkit {
class MenuItem;
}

namespace audio77::toolkit::qt {

class QtMenuPresenter final : public MenuPresenter {
 public:
  void Popup(PopupMenu& menu, Point screen) override;

  // Fills a QMenu with the item's visible children; the map tells which model
  // item an action stands for.
  static void Build(MenuItem& parent, QMenu& menu, QHash<QAction*, MenuItem*>& actions);
};

}  // namespace audio77::toolkit::qt
