#pragma once
// What noise cancellation and voice effects show in the window, by control
// name: the ENC and Voice Magic switches share one Tag, and the ENC value
// label shares its Tag with the microphone's, so these controls are named.

#include <string>

#include "ui/FeatureView.h"

namespace audio77 {

class EncDisplay {
 public:
  virtual ~EncDisplay() = default;
  // The image shows the skin's picture stored under skin_key.
  virtual void ShowPicture(const std::string& image, const std::string& skin_key) = 0;
  // The label takes the down (pressed) or up colour of its language record.
  virtual void ShowLabelDown(const std::string& label, bool down) = 0;
  virtual void ShowCaption(const std::string& label, const std::string& text) = 0;
  // The ENC knob's travel from the skin, and the knob's top.
  virtual SliderTravel EncTravel() const = 0;
  virtual void SetEncKnobTop(int top) = 0;
  // The ENC page is the current page.
  virtual bool EncPageShown() const = 0;
  // The modal box telling that this device has no noise cancellation.
  virtual void ShowEncWarning() = 0;
};

}  // namespace audio77
