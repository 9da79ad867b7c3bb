#pragma once
// What the microphone page shows: the level slider (knob, fill below it,
// value label), the three switch pictures and the input level bar. The
// window answers it over its skin and controls.

#include <string>

namespace audio77 {

class MicView {
 public:
  static constexpr int kBoostTag = 21;
  static constexpr int kMuteTag = 22;
  static constexpr int kMonitorTag = 89;

  virtual ~MicView() = default;
  // The knob's travel from the skin's "MicSlider": top and length.
  virtual int TravelTop() const = 0;
  virtual int TravelLength() const = 0;
  virtual int KnobHeight() const = 0;
  virtual int FillTop() const = 0;
  virtual void SetKnobTop(int top) = 0;
  virtual void SetFillHeight(int height) = 0;
  virtual void SetValueLabel(const std::string& text) = 0;
  // tag: kBoostTag, kMuteTag or kMonitorTag; state 1 on, 0 off.
  virtual void ShowSwitch(int tag, int state) = 0;
  // The input level bar: the skin's "MicProgressLength", and its width now.
  virtual int ProgressMaximum() const = 0;
  virtual void SetProgressWidth(int width) = 0;
};

}  // namespace audio77
