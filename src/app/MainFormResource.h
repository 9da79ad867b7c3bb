#pragma once
// TEMPORARY stand-in until the control table lands.
#include "toolkit/Form.h"
namespace audio77 {
void BuildControls(toolkit::Form& form);
}
