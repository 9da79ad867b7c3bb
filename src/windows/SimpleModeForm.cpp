#include "windows/SimpleModeForm.h"

namespace audio77 {

TSimpleForm::TSimpleForm(toolkit::Application& app) : form_(app, "SimpleForm") {
  form_.SetPlacement(toolkit::Placement::kOwnerCenter);
  form_.SetFrameless(false);
}

}  // namespace audio77
