#pragma once
// The ENC and Voice Magic pages' controls on the main window. They share
// Tags with other pages' controls, so everything here goes by name: pictures
// through the feature view's skin, label colours through the language, the
// ENC knob and its value label, and the window's warning box.

#include <functional>
#include <string>

#include "features/EncDisplay.h"
#include "toolkit/Form.h"
#include "ui/FeatureView.h"

namespace audio77 {

class EncFormView final : public EncDisplay {
 public:
  struct Window {
    // The label takes its language record's down or up colour.
    std::function<void(const std::string& label, bool down)> colour_label;
    // The ENC knob's travel now (the skin's, or the designed one).
    std::function<SliderTravel()> travel;
    std::function<bool()> enc_page_shown;
    std::function<void()> warn;
  };

  EncFormView(toolkit::Form& form, FeatureView& view, Window window);

  void ShowPicture(const std::string& image, const std::string& skin_key) override;
  void ShowLabelDown(const std::string& label, bool down) override;
  void ShowCaption(const std::string& label, const std::string& text) override;
  SliderTravel EncTravel() const override { return window_.travel(); }
  void SetEncKnobTop(int top) override;
  bool EncPageShown() const override { return window_.enc_page_shown(); }
  void ShowEncWarning() override { window_.warn(); }

 private:
  toolkit::Form& form_;
  FeatureView& view_;
  Window window_;
};

}  // namespace audio77
