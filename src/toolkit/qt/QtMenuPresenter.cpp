#include "toolkit/qt/QtMenuPresenter.h"

#include <QActionGroup>
#include <QMenu>
#include <map>

#include "toolkit/PopupMenu.h"

namespace audio77::toolkit::qt {

void QtMenuPresenter::Build(MenuItem& parent, QMenu& menu, QHash<QAction*, MenuItem*>& actions) {
  std::map<int, QActionGroup*> radio_groups;
  for (const auto& owned : parent.Items()) {
    MenuItem& item = *owned;
    if (!item.Visible()) continue;
    // Qt reads "&" hot-key markers the same way, so the caption goes as it is.
    const QString caption = QString::fromStdString(item.Caption());
    QAction* action = nullptr;
    if (!item.Items().empty()) {
      QMenu* sub = menu.addMenu(caption);
      Build(item, *sub, actions);
      action = sub->menuAction();
    } else if (caption == "-") {
      action = menu.addSeparator();
    } else {
      action = menu.addAction(caption);
    }
    action->setEnabled(item.Enabled());
    if (item.Checked() || item.AutoCheck() || item.RadioItem()) {
      action->setCheckable(true);
      action->setChecked(item.Checked());
    }
    if (item.RadioItem()) {
      QActionGroup*& group = radio_groups[item.GroupIndex()];
      if (group == nullptr) group = new QActionGroup(&menu);
      group->addAction(action);
    }
    actions.insert(action, &item);
  }
}

void QtMenuPresenter::Popup(PopupMenu& menu, Point screen) {
  QMenu qmenu;
  QHash<QAction*, MenuItem*> actions;
  Build(menu.Root(), qmenu, actions);
  QAction* chosen = qmenu.exec(QPoint(screen.x, screen.y));
  // The menu is closed before the item's handler runs.
  if (chosen != nullptr && actions.contains(chosen)) actions.value(chosen)->Click();
}

}  // namespace audio77::toolkit::qt
