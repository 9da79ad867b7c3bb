#include "toolkit/qt/QtPresenter.h"

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

}  // namespace audio77::toolkit::qt
