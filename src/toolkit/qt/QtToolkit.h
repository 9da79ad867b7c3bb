#pragma once
// Puts the Qt presentation under an application: the decoding picture loader,
// real text measuring, Qt's dialogs and menus, forms and tray icon as Qt
// widgets, the screen size, and the model's event loop run by Qt's. Create it
// after the QApplication, before the forms.

#include "toolkit/qt/QtDialogs.h"
#include "toolkit/qt/QtEventLoopBridge.h"
#include "toolkit/qt/QtMenuPresenter.h"
#include "toolkit/qt/QtPictureLoader.h"
#include "toolkit/qt/QtPresenter.h"
#include "toolkit/qt/QtTextMeasurer.h"

namespace audio77::toolkit {
class Application;
}

namespace audio77::toolkit::qt {

class QtToolkit {
 public:
  explicit QtToolkit(Application& app);
  ~QtToolkit();
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

 private:
  Application& app_;
  QtPictureLoader loader_;
  QtTextMeasurer measurer_;
  QtDialogs dialogs_;
  QtMenuPresenter menus_;
  QtPresenter presenter_;
  QtEventLoopBridge bridge_;
};

}  // namespace audio77::toolkit::qt
