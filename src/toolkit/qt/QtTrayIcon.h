#pragma once
// The notification-area icon as a QSystemTrayIcon that follows the model.

#include <QSystemTrayIcon>

namespace audio77::toolkit {
class TrayIcon;
}

namespace audio77::toolkit::qt {

class QtTrayIcon final : public QObject {
 public:
  explicit QtTrayIcon(TrayIcon& tray);
  ~QtTrayIcon() override;

  QSystemTrayIcon& Native() { return icon_; }

 private:
  void Sync();
  void Activated(QSystemTrayIcon::ActivationReason reason);

  TrayIcon& tray_;
  QSystemTrayIcon icon_;
};

}  // namespace audio77::toolkit::qt
