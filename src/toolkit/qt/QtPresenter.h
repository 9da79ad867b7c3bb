#pragma once
// Forms as FormWidgets and the tray icon as a QSystemTrayIcon.

#include "toolkit/Presenter.h"

namespace audio77::toolkit::qt {

class QtPresenter final : public Presenter {
 public:
  std::unique_ptr<Presentation> PresentForm(Form& form) override;
  std::unique_ptr<Presentation> PresentTray(TrayIcon& tray) override;
  std::string SaveScreenshot(const Form& form, const std::string& png_path) override;
  bool TrayAvailable() const override;
};

}  // namespace audio77::toolkit::qt
