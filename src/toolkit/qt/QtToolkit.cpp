#include "toolkit/qt/QtToolkit.h"

#include <QGuiApplication>
#include <QScreen>

#include "toolkit/Application.h"

namespace audio77::toolkit::qt {

QtToolkit::QtToolkit(Application& app) : app_(app), bridge_(app.Loop()) {
  app_.SetPictureLoader(loader_);
  app_.SetTextMeasurer(measurer_);
  app_.SetDialogs(dialogs_);
  app_.SetMenuPresenter(&menus_);
  app_.SetPresenter(&presenter_);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->geometry();
    app_.SetScreenSize({r.width(), r.height()});
  }
}

QtToolkit::~QtToolkit() { app_.UseHeadlessServices(); }

}  // namespace audio77::toolkit::qt
