#pragma once
// The virtual 7.1 page's speaker icons, the speaker picture they live in and
// the bee picture on the main window, found by name; the circle from the skin.

#include <functional>

#include "features/SpeakerView.h"
#include "toolkit/Form.h"

namespace audio77 {

class SpeakerFormView final : public SpeakerView {
 public:
  // circle: the skin's speaker circle now.
  SpeakerFormView(toolkit::Form& form, std::function<SpeakerCircle()> circle);

  SpeakerCircle Circle() const override { return circle_(); }
  SpeakerBox Area() const override;
  SpeakerBox Icon(int speaker) const override;
  void MoveSpeaker(int speaker, SpeakerPosition to) override;
  void ShowBee(bool visible) override;
  void MoveBee(SpeakerPosition to) override;

 private:
  SpeakerBox BoxOf(const char* name) const;

  toolkit::Form& form_;
  std::function<SpeakerCircle()> circle_;
};

}  // namespace audio77
