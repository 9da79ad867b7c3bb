#include "toolkit/qt/QtPresenter.h"

#include <QSystemTrayIcon>

#include "toolkit/qt/FormScreenshot.h"

#include "toolkit/qt/FormWidget.h"
#include "toolkit/qt/QtTrayIcon.h"

namespace audio77::toolkit::qt {
namespace {

template <typename Widget, typename Model>
class Held final : public Presentation {
 public:
  explicit Held(Model& model) : widget_(model) {}

 private:
  Widget widget_;
};

}  // namespace

std::unique_ptr<Presentation> QtPresenter::PresentForm(Form& form) {
  return std::make_unique<Held<FormWidget, Form>>(form);
}

std::unique_ptr<Presentation> QtPresenter::PresentTray(TrayIcon& tray) {
  return std::make_unique<Held<QtTrayIcon, TrayIcon>>(tray);
}

bool QtPresenter::TrayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

std::string QtPresenter::SaveScreenshot(const Form& form, const std::string& png_path) {
  return SaveFormScreenshot(form, png_path);
}

}  // namespace audio77::toolkit::qt
