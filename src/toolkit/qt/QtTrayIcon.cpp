#include "toolkit/qt/QtTrayIcon.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>

#include "toolkit/TrayIcon.h"
#include "toolkit/qt/FormPainter.h"

namespace audio77::toolkit::qt {

QtTrayIcon::QtTrayIcon(TrayIcon& tray) : tray_(tray) {
  connect(&icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
  tray_.SetChangeListener([this] { Sync(); });
  Sync();
}

QtTrayIcon::~QtTrayIcon() { tray_.SetChangeListener(nullptr); }

void QtTrayIcon::Sync() {
  const PicturePtr& picture = tray_.GetPicture();
  if (picture && picture->HasPixels())
    icon_.setIcon(QIcon(QPixmap::fromImage(FormPainter::View(*picture).copy())));
  icon_.setToolTip(QString::fromStdString(tray_.Hint()));
  // A tray without an icon would only warn; it shows once it has a picture.
  icon_.setVisible(tray_.Visible() && !icon_.icon().isNull() &&
                   QSystemTrayIcon::isSystemTrayAvailable());
}

void QtTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::DoubleClick) {
    tray_.DoubleClick();
  } else if (reason == QSystemTrayIcon::Context) {
    const QPoint at = QCursor::pos();
    tray_.RightButtonUp({at.x(), at.y()});
  }
}

}  // namespace audio77::toolkit::qt
