#include "lighting/ULEDForm.h"

namespace audio77 {

TLEDForm::TLEDForm(toolkit::Application& app) : form_(app, "LEDForm") {
  form_.SetPlacement(toolkit::Placement::kOwnerCenter);
  form_.SetFrameless(false);
}

}  // namespace audio77
