#include "windows/AboutForm.h"

namespace audio77 {

TAboutForm::TAboutForm(toolkit::Application& app) : form_(app, "AboutForm") {
  form_.SetPlacement(toolkit::Placement::kOwnerCenter);
  form_.SetFrameless(false);
}

}  // namespace audio77
