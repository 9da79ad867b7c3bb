#include "app/MainFormResource.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
namespace audio77 {
void BuildControls(toolkit::Form& form) {
  form.AddLabel("DeviceActiveLabel");
  form.AddImage("BeeImage");
}
}  // namespace audio77
